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

// Adds the capsule of radius `radius` around the segment from a to b (pixel coordinates,
// the buffer's top-left corner at 0, 0) to the line.
Raster.prototype.segment = function (ax, ay, bx, by, radius) {
  var outer = radius + 0.5, inner = radius - 0.5, inner2 = inner > 0 ? inner * inner : -1;
  var width = this.width, cover = this.cover, pixels = this.pixels;
  var dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
  var inv = len2 > 0 ? 1 / len2 : 0;
  var y0 = Math.max(0, Math.floor(Math.min(ay, by) - outer));
  var y1 = Math.min(this.height - 1, Math.floor(Math.max(ay, by) + outer));
  var bx0 = Math.max(0, Math.floor(Math.min(ax, bx) - outer));
  var bx1 = Math.min(width - 1, Math.floor(Math.max(ax, bx) + outer));
  if (y0 > y1 || bx0 > bx1 || this._hidden(bx0, y0, bx1, y1)) return;
  // The capsule is convex, so a row meets it in one interval: the union of what it meets of
  // the discs at the ends and of the band between them. With u = x - ax and py the row's
  // offset from a, the band is 0 <= dx u + dy py <= len^2 (between the ends) and
  // |dx py - dy u| <= outer len (near the line): bounds on u linear in py.
  var band = len2 > 0, half = outer * Math.sqrt(len2);
  var endsK = dx !== 0 ? -dy / dx : 0, endsLo = dx > 0 ? 0 : len2 / dx, endsHi = dx > 0 ? len2 / dx : 0;
  var lineK = dy !== 0 ? dx / dy : 0, lineHalf = dy !== 0 ? half / Math.abs(dy) : 0;
  var reach2 = outer * outer;
  for (var y = y0; y <= y1; y++) {
    var py = y + 0.5 - ay, qy = py - dy, h;
    var lo = Infinity, hi = -Infinity;
    if ((h = reach2 - py * py) > 0) {
      h = Math.sqrt(h);
      lo = ax - h;
      hi = ax + h;
    }
    if ((h = reach2 - qy * qy) > 0) {
      h = Math.sqrt(h);
      if (bx - h < lo) lo = bx - h;
      if (bx + h > hi) hi = bx + h;
    }
    if (band) {
      var ulo = -Infinity, uhi = Infinity;
      if (dx !== 0) {
        ulo = endsK * py + endsLo;
        uhi = endsK * py + endsHi;
      } else if (dy * py < 0 || dy * py > len2) {
        ulo = Infinity;
      }
      if (dy !== 0) {
        ulo = Math.max(ulo, lineK * py - lineHalf);
        uhi = Math.min(uhi, lineK * py + lineHalf);
      } else if (Math.abs(dx * py) > half) {
        ulo = Infinity;
      }
      if (ulo <= uhi) {
        if (ax + ulo < lo) lo = ax + ulo;
        if (ax + uhi > hi) hi = ax + uhi;
      }
    }
    var x0 = Math.max(0, Math.ceil(lo - 0.5)), x1 = Math.min(width - 1, Math.floor(hi - 0.5));
    if (x0 > x1) continue;
    var row = y * width, first = width, last = -1;
    for (var x = x0; x <= x1; x++) {
      var i = row + x;
      // Covered whole by lines painted already: nothing shows through.
      if (pixels[4 * i + 3] === 255) continue;
      var px = x + 0.5 - ax;
      var t = (px * dx + py * dy) * inv;
      if (t < 0) t = 0; else if (t > 1) t = 1;
      var ex = px - t * dx, ey = py - t * dy, d2 = ex * ex + ey * ey;
      var c = d2 <= inner2 ? 255 : Math.round((outer - Math.sqrt(d2)) * 255);
      if (c <= 0) continue;
      if (c > cover[i]) cover[i] = c;
      if (x < first) first = x;
      last = x;
    }
    if (last < 0) continue;
    if (first < this.rowMin[y]) this.rowMin[y] = first;
    if (last > this.rowMax[y]) this.rowMax[y] = last;
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
