// Paints a display list (display-list.js) into a pixel buffer through a Raster
// (route-raster.js), which takes lines from the last to the first: pieces with the width and
// colour they ask for, round joins and caps, so that where pieces overlap the later one
// shows. Consecutive pieces of one opaque style form one line, laid down once: within it the
// order cannot show. Only blocks that reach into the view are visited, and of those only the
// vertices the view's zoom needs.
//
// A painting can be done a slice at a time (run with a deadline), so that the picture of the
// view a zoom animation ends in is ready when it ends, without a long frame.
import { BLOCK } from './route-store.js';

function rgb(color) {
  var n = parseInt(color.slice(1), 16);
  return [n >> 16 & 255, n >> 8 & 255, n & 255];
}

// view: zoom (whole number, that of the list), left, top, right, bottom in CSS pixels at that
// zoom; the raster's top-left corner is at left, top and it has `ratio` pixels to a CSS pixel.
export function RoutePainting(raster, store, list, view, ratio) {
  this.raster = raster;
  this.store = store;
  this.list = list;
  this.view = view;
  this.ratio = ratio;
  this.block = list.starts.length - 1;   // the next block to paint, from the last
  this.run = -1;                         // style of the line being painted
  this.radius = 0;
  this.last = -1;                        // entry painted last
}

// Paints blocks until all are painted (returns true) or performance.now() reaches deadline.
RoutePainting.prototype.paint = function (deadline) {
  var store = this.store, raster = this.raster, view = this.view, ratio = this.ratio;
  var scale = Math.pow(2, view.zoom);
  var zoom = view.zoom, xy = store.xy, zooms = store.zooms, boxes = store.boxes;
  var entries = this.list.entries, starts = this.list.starts, ends = this.list.ends;
  // Half the widest line beyond the view still paints into it.
  var margin = (store.maxWeight / 2 + 1) / scale;
  var left = view.left / scale - margin, right = view.right / scale + margin;
  var top = view.top / scale - margin, bottom = view.bottom / scale + margin;
  var k = scale * ratio, ox = view.left * ratio, oy = view.top * ratio;
  var run = this.run, radius = this.radius, last = this.last;

  for (var b = this.block; b >= 0; b--) {
    if (b < this.block && deadline !== Infinity && performance.now() >= deadline) {
      this.block = b;
      this.run = run;
      this.radius = radius;
      this.last = last;
      return false;
    }
    var box = 4 * b;
    if (boxes[box + 2] < left || boxes[box] > right || boxes[box + 3] < top || boxes[box + 1] > bottom) continue;
    var lo = b * BLOCK, hi = lo + BLOCK;
    for (var e = ends[b] - 1; e >= starts[b]; e--) {
      var tiny = entries[e] < 0;
      var p = tiny ? ~entries[e] : entries[e];
      var first = store.first[p];
      // A piece within a pixel is painted once, in the block of its first vertex.
      if (tiny && first < lo) continue;
      var s = store.style[p];
      // Lines of another style, or less than opaque, are laid down piece by piece.
      if (s !== run || (e !== last && store.styles[s].opacity < 1)) {
        if (run >= 0) layUnder(raster, store.styles[run]);
        run = s;
        radius = store.styles[s].weight / 2 * ratio;
      }
      last = e;
      var final = first + store.count[p] - 1;
      var a = Math.max(first, lo), end = tiny ? final : Math.min(final, hi);
      // From vertex a through those the zoom needs to `end`; a segment of no length paints
      // the dot of its round ends.
      var from = a;
      for (var i = tiny ? end : a + 1; i <= end; i++) {
        if (zooms[i] > zoom) continue;
        raster.segment(xy[2 * from] * k - ox, xy[2 * from + 1] * k - oy, xy[2 * i] * k - ox, xy[2 * i + 1] * k - oy, radius);
        from = i;
      }
    }
  }
  if (run >= 0) layUnder(raster, store.styles[run]);
  this.block = -1;
  this.run = -1;
  return true;
};

function layUnder(raster, style) {
  var c = rgb(style.color);
  raster.layUnder(c[0], c[1], c[2], style.opacity);
}

// Paints the whole view at once.
export function paintRoute(raster, store, list, view, ratio) {
  new RoutePainting(raster, store, list, view, ratio).paint(Infinity);
}
