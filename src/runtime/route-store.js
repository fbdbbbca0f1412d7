// Every route piece of one map in a few growing typed arrays, in the order the page added
// them: no object per piece or per point. Per vertex the projected position (see
// projection.js) and the lowest zoom it is drawn at (see simplify.js); per piece its first
// vertex, vertex count and style; per block of BLOCK consecutive vertices, which may span
// several pieces, a bounding box, so that a redraw skips what is off screen.
import { projectX, projectY, unprojectX, unprojectY, unwrapLongitude } from './projection.js';
import { CHUNK, simplifyLine } from './simplify.js';

// Simplification keeps every multiple of BLOCK, so each drawn segment lies in one block.
export var BLOCK = CHUNK;
var REMOVED = -1;

// Room for at least `needed` items, doubling from `had`.
function capacity(had, needed) {
  var n = Math.max(256, had);
  while (n < needed) n *= 2;
  return n;
}

function resized(array, length) {
  var out = new array.constructor(length);
  out.set(array);
  return out;
}

export function RouteStore() {
  this.vertexCount = 0;
  this.pieceCount = 0;
  this.xy = new Float64Array(0);
  this.zooms = new Uint8Array(0);
  // Block b holds the segments that start at vertices b*BLOCK .. (b+1)*BLOCK - 1, so its box
  // takes in vertex (b+1)*BLOCK too.
  this.boxes = new Float64Array(0);
  this.first = new Int32Array(0);
  this.count = new Int32Array(0);
  this.style = new Int32Array(0);
  this.styles = [];
  this.maxWeight = 0;
  // Bumped by every change, so what was worked out from the pieces can tell it is stale.
  this.version = 0;
  this._styleIndex = {};
}

RouteStore.prototype.blockCount = function () {
  return this.vertexCount < 2 ? 0 : Math.ceil((this.vertexCount - 1) / BLOCK);
};

// Pages add thousands of pieces in two or three styles: the first few are compared as they
// are, before a key is made.
var FEW_STYLES = 8;

RouteStore.prototype._styleOf = function (style) {
  for (var i = 0; i < this.styles.length && i < FEW_STYLES; i++) {
    var known = this.styles[i];
    if (known.color === style.color && known.weight === style.weight && known.opacity === style.opacity) return i;
  }
  var key = style.color + ' ' + style.weight + ' ' + style.opacity;
  if (!(key in this._styleIndex)) {
    this._styleIndex[key] = this.styles.length;
    this.styles.push(style);
    this.maxWeight = Math.max(this.maxWeight, style.weight);
  }
  return this._styleIndex[key];
};

RouteStore.prototype._extendBox = function (block, x, y) {
  var b = 4 * block, boxes = this.boxes;
  if (x < boxes[b]) boxes[b] = x;
  if (y < boxes[b + 1]) boxes[b + 1] = y;
  if (x > boxes[b + 2]) boxes[b + 2] = x;
  if (y > boxes[b + 3]) boxes[b + 3] = y;
};

// positions: latitude, longitude pairs of finite numbers. Returns the piece's index.
RouteStore.prototype.add = function (positions, style) {
  var n = positions.length / 2;
  var f = this.vertexCount, end = f + n;
  if (end > this.zooms.length) {
    var vertices = capacity(this.zooms.length, end);
    this.xy = resized(this.xy, 2 * vertices);
    this.zooms = resized(this.zooms, vertices);
  }
  var blocks = Math.ceil(end / BLOCK);
  if (4 * blocks > this.boxes.length) {
    var old = this.boxes.length;
    this.boxes = resized(this.boxes, 4 * capacity(old / 4, blocks));
    for (var e = old; e < this.boxes.length; e += 4) this.boxes.set([Infinity, Infinity, -Infinity, -Infinity], e);
  }
  var xy = this.xy, lng = 0;
  for (var k = 0; k < n; k++) {
    lng = k === 0 ? positions[1] : unwrapLongitude(positions[2 * k + 1], lng);
    var i = f + k, x = projectX(lng), y = projectY(positions[2 * k]);
    xy[2 * i] = x;
    xy[2 * i + 1] = y;
    this._extendBox(Math.floor(i / BLOCK), x, y);
    if (i % BLOCK === 0 && i > 0) this._extendBox(i / BLOCK - 1, x, y);
  }
  simplifyLine(xy, this.zooms, f, end - 1);
  this.vertexCount = end;

  var p = this.pieceCount++;
  if (p >= this.first.length) {
    var pieces = capacity(this.first.length, p + 1);
    this.first = resized(this.first, pieces);
    this.count = resized(this.count, pieces);
    this.style = resized(this.style, pieces);
  }
  this.first[p] = f;
  this.count[p] = n;
  this.style[p] = this._styleOf(style);
  this.version++;
  return p;
};

RouteStore.prototype.isRemoved = function (p) {
  return this.style[p] === REMOVED;
};

// The piece is no longer drawn; its positions, as the page gave them, are returned.
RouteStore.prototype.remove = function (p) {
  var positions = new Float64Array(2 * this.count[p]);
  for (var k = 0; k < this.count[p]; k++) {
    positions[2 * k] = this.lat(p, k);
    positions[2 * k + 1] = this.lng(p, k);
  }
  this.style[p] = REMOVED;
  this.version++;
  return positions;
};

// Vertex k of piece p read back from its projected position; latitudes beyond the map's
// limit read back at the limit, as drawn.
RouteStore.prototype.lat = function (p, k) {
  return unprojectY(this.xy[2 * (this.first[p] + k) + 1]);
};

RouteStore.prototype.lng = function (p, k) {
  return unprojectX(this.xy[2 * (this.first[p] + k)]);
};
