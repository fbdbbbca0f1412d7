// Lines with round joins and caps painted into an RGBA pixel buffer (as in ImageData: rows of
// r, g, b, a bytes, not premultiplied), from the last line to the first: each line goes under
// those painted before it, which gives the picture of painting them first to last, each over
// the ones before, but lets a line skip every pixel the later lines already cover whole. On
// a long ride seen whole, most of the route lies under later stretches of it.
//
// A line is the union of the capsules around its segments; its coverage of a pixel falls from
// 1 to 0 across the half pixel either side of its edge, measured from the pixel's centre.
// Segments of one line add coverage (the most any of them gives a pixel), and `layUnder`
// blends the line once in one colour, as a canvas stroke is.
//
// A canvas 2D context without a graphics processor rasterises each stroke with supersampling
// and paints every pixel of it: for the tens of thousands of short wide strokes of a long
// ride, ten times the work done here.

export function Raster(pixels, width, height) {
  this.pixels = pixels;
  this.width = width;
  this.height = height;
  this.cover = new Uint8Array(width * height);
  // Per row, the span of pixels the line has touched; top..bottom the rows.
  this.rowMin = new Int32Array(height).fill(width);
  this.rowMax = new Int32Array(height).fill(-1);
  this.top = height;
  this.bottom = -1;
  this.paintedTop = height;
  this.paintedBottom = -1;
  // Per TILE x TILE square, how many of its pixels are covered whole: a segment over squares
  // that are all covered whole is passed over without a look at its pixels.
  this.tilesAcross = Math.ceil(width / TILE);
  this.opaque = new Uint8Array(this.tilesAcross * Math.ceil(height / TILE));
  this.full = new Uint8Array(this.opaque.length);
  for (var ty = 0; ty < Math.ceil(height / TILE); ty++) {
    for (var tx = 0; tx < this.tilesAcross; tx++) {
      this.full[ty * this.tilesAcross + tx] = Math.min(TILE, width - tx * TILE) * Math.min(TILE, height - ty * TILE);
    }
  }
}

var TILE = 4;

// Clears the buffer for a new picture: the rows painted since the last clear.
Raster.prototype.clear = function () {
  if (this.paintedTop > this.paintedBottom) return;
  this.pixels.fill(0, 4 * this.paintedTop * this.width, 4 * (this.paintedBottom + 1) * this.width);
  this.opaque.fill(0, Math.floor(this.paintedTop / TILE) * this.tilesAcross, (Math.floor(this.paintedBottom / TILE) + 1) * this.tilesAcross);
  this.paintedTop = this.height;
  this.paintedBottom = -1;
};

// Whether every pixel of rows y0..y1, columns x0..x1 is covered whole already.
Raster.prototype._hidden = function (x0, y0, x1, y1) {
  var across = this.tilesAcross, opaque = this.opaque, full = this.full;
  for (var ty = y0 / TILE | 0; ty <= (y1 / TILE | 0); ty++) {
    for (var tx = x0 / TILE | 0; tx <= (x1 / TILE | 0); tx++) {
      var t = ty * across + tx;
      if (opaque[t] !== full[t]) return false;
    }
  }
  return true;
};

// The pixel centres x + 0.5 of a row within `reach` of a segment lie between out[0] and
// out[1] (out[0] > out[1]: none). The segment runs from a to a + (dx, dy), len its length,
// py the row centre's offset from a. The capsule is convex, so the row meets it in one
// interval: the union of what it meets of the discs at the ends and of the band between them.
function rowSpan(out, ax, dx, dy, len, py, reach) {
  var lo = Infinity, hi = -Infinity, h;
  if ((h = reach * reach - py * py) > 0) {
    h = Math.sqrt(h);
    lo = ax - h;
    hi = ax + h;
  }
  var qy = py - dy;
  if ((h = reach * reach - qy * qy) > 0) {
    h = Math.sqrt(h);
    if (ax + dx - h < lo) lo = ax + dx - h;
    if (ax + dx + h > hi) hi = ax + dx + h;
  }
  if (len > 0) {
    // With u = x - ax: 0 <= dx u + dy py <= len^2 (between the ends) and
    // |dx py - dy u| <= reach len (near the line).
    var ulo = -Infinity, uhi = Infinity, len2 = len * len, side = reach * len, v, w;
    if (dx !== 0) {
      v = -dy * py / dx;
      w = (len2 - dy * py) / dx;
      if (dx > 0) { ulo = v; uhi = w; } else { ulo = w; uhi = v; }
    } else if (dy * py < 0 || dy * py > len2) {
      ulo = Infinity;
    }
    if (dy !== 0) {
      v = (dx * py - side) / dy;
      w = (dx * py + side) / dy;
      if (dy > 0) {
        if (v > ulo) ulo = v;
        if (w < uhi) uhi = w;
      } else {
        if (w > ulo) ulo = w;
        if (v < uhi) uhi = v;
      }
    } else if (Math.abs(dx * py) > side) {
      ulo = Infinity;
    }
    if (ulo <= uhi) {
      if (ax + ulo < lo) lo = ax + ulo;
      if (ax + uhi > hi) hi = ax + uhi;
    }
  }
  out[0] = lo;
  out[1] = hi;
}

var OUTER = new Float64Array(2), INNER = new Float64Array(2);

// Adds the capsule of radius `radius` around the segment from a to b (pixel coordinates,
// the buffer's top-left corner at 0, 0) to the line.
Raster.prototype.segment = function (ax, ay, bx, by, radius) {
  var outer = radius + 0.5, inner = radius - 0.5;
  var width = this.width, cover = this.cover, pixels = this.pixels;
  var dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy, len = Math.sqrt(len2);
  var inv = len2 > 0 ? 1 / len2 : 0;
  var y0 = Math.max(0, Math.floor(Math.min(ay, by) - outer));
  var y1 = Math.min(this.height - 1, Math.floor(Math.max(ay, by) + outer));
  var bx0 = Math.max(0, Math.floor(Math.min(ax, bx) - outer));
  var bx1 = Math.min(width - 1, Math.floor(Math.max(ax, bx) + outer));
  if (y0 > y1 || bx0 > bx1 || this._hidden(bx0, y0, bx1, y1)) return;
  for (var y = y0; y <= y1; y++) {
    var py = y + 0.5 - ay;
    rowSpan(OUTER, ax, dx, dy, len, py, outer);
    var x0 = Math.max(0, Math.ceil(OUTER[0] - 0.5)), x1 = Math.min(width - 1, Math.floor(OUTER[1] - 0.5));
    if (x0 > x1) continue;
    // Pixels well inside are covered whole; only those near the edge are measured.
    var f0 = x1 + 1, f1 = x1;
    if (inner > 0) {
      rowSpan(INNER, ax, dx, dy, len, py, inner);
      f0 = Math.max(x0, Math.ceil(INNER[0] - 0.5));
      f1 = Math.min(x1, Math.floor(INNER[1] - 0.5));
      if (f0 > f1) { f0 = x1 + 1; f1 = x1; }
    }
    var row = y * width, lo = width, hi = -1;
    for (var x = x0; x <= x1; x++) {
      var i = row + x;
      // Covered whole by lines painted already: nothing shows through.
      if (pixels[4 * i + 3] === 255) continue;
      var c = 255;
      if (x < f0 || x > f1) {
        var px = x + 0.5 - ax;
        var t = (px * dx + py * dy) * inv;
        if (t < 0) t = 0; else if (t > 1) t = 1;
        var ex = px - t * dx, ey = py - t * dy;
        c = Math.round((outer - Math.sqrt(ex * ex + ey * ey)) * 255);
        if (c <= 0) continue;
        if (c > 255) c = 255;
      }
      if (c > cover[i]) cover[i] = c;
      if (x < lo) lo = x;
      hi = x;
    }
    if (hi < 0) continue;
    if (lo < this.rowMin[y]) this.rowMin[y] = lo;
    if (hi > this.rowMax[y]) this.rowMax[y] = hi;
    if (y < this.top) this.top = y;
    if (y > this.bottom) this.bottom = y;
  }
};

// Lays the line painted since the last call under what is painted, in colour r, g, b at
// `opacity` (0..1), and starts a new line.
Raster.prototype.layUnder = function (r, g, b, opacity) {
  var width = this.width, cover = this.cover, pixels = this.pixels;
  var across = this.tilesAcross, opaque = this.opaque;
  for (var y = this.top; y <= this.bottom; y++) {
    var tiles = (y / TILE | 0) * across;
    var end = y * width + this.rowMax[y];
    for (var i = y * width + this.rowMin[y]; i <= end; i++) {
      var c = cover[i];
      if (c === 0) continue;
      cover[i] = 0;
      var k = 4 * i;
      var a = c / 255 * opacity, above = pixels[k + 3];
      if (above === 0) {
        pixels[k] = r;
        pixels[k + 1] = g;
        pixels[k + 2] = b;
        pixels[k + 3] = a * 255;
        if (pixels[k + 3] === 255) opaque[tiles + ((i - y * width) / TILE | 0)]++;
        continue;
      }
      // What is painted already lies over this line: straight alpha, front to back.
      var front = above / 255, rest = a * (1 - front), out = front + rest;
      pixels[k] = (pixels[k] * front + r * rest) / out;
      pixels[k + 1] = (pixels[k + 1] * front + g * rest) / out;
      pixels[k + 2] = (pixels[k + 2] * front + b * rest) / out;
      pixels[k + 3] = out * 255;
      if (pixels[k + 3] === 255) opaque[tiles + ((i - y * width) / TILE | 0)]++;
    }
    this.rowMin[y] = width;
    this.rowMax[y] = -1;
  }
  if (this.top < this.paintedTop) this.paintedTop = this.top;
  if (this.bottom > this.paintedBottom) this.paintedBottom = this.bottom;
  this.top = this.height;
  this.bottom = -1;
};
