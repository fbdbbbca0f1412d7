// What is painted of the route at one zoom, worked out once for that zoom. Pieces are painted
// in page order; this leaves out those that would change the picture by less than half a
// pixel, which on a long ride at a zoom that shows all of it are most of them:
// - A piece whose every vertex lies within half a pixel of the start of the next piece that is
//   painted is covered by that piece's round end (of the same width or wider, both opaque),
//   but for a sliver under half a pixel wide. Measuring against the next PAINTED piece keeps
//   left-out pieces from adding up to a visible gap.
// - A painted piece within one pixel is drawn from its first vertex to its last (a dot where
//   they coincide): entries hold ~p for such a piece p. Its other vertices would move the
//   line by less than a pixel.
// Per block of the store, entries starts[b] .. ends[b] - 1 have segments in it.
import { BLOCK } from './route-store.js';

var HALF_PIXEL = 0.5;

function allWithin(xy, first, count, x, y, limit2) {
  for (var i = first; i < first + count; i++) {
    var dx = xy[2 * i] - x, dy = xy[2 * i + 1] - y;
    if (dx * dx + dy * dy > limit2) return false;
  }
  return true;
}

function withinPixel(xy, first, count, pixel) {
  var minX = xy[2 * first], maxX = minX, minY = xy[2 * first + 1], maxY = minY;
  for (var i = first + 1; i < first + count; i++) {
    var x = xy[2 * i], y = xy[2 * i + 1];
    if (x < minX) minX = x; else if (x > maxX) maxX = x;
    if (y < minY) minY = y; else if (y > maxY) maxY = y;
    if (maxX - minX >= pixel || maxY - minY >= pixel) return false;
  }
  return true;
}

export function buildDisplayList(store, zoom) {
  var scale = Math.pow(2, zoom);
  var half2 = (HALF_PIXEL / scale) * (HALF_PIXEL / scale);
  var xy = store.xy;
  var entries = new Int32Array(store.pieceCount);
  var n = entries.length;
  // Start of the last piece painted so far (walking backwards), and the widest line it covers
  // for: -1 when it covers nothing.
  var x = 0, y = 0, covers = -1;
  for (var p = store.pieceCount - 1; p >= 0; p--) {
    var count = store.count[p];
    if (count < 2 || store.isRemoved(p)) continue;
    var first = store.first[p];
    var style = store.styles[store.style[p]];
    if (style.opacity === 1 && style.weight <= covers && allWithin(xy, first, count, x, y, half2)) continue;
    entries[--n] = withinPixel(xy, first, count, 1 / scale) ? ~p : p;
    x = xy[2 * first];
    y = xy[2 * first + 1];
    covers = style.opacity === 1 ? style.weight : -1;
  }
  entries = entries.slice(n);

  // A piece of vertices f..l has segments in blocks floor(f / BLOCK) .. floor((l - 1) / BLOCK):
  // entries starts[b] .. ends[b] - 1 are those with segments in block b.
  var blocks = store.blockCount();
  var starts = new Int32Array(blocks), ends = new Int32Array(blocks);
  var e = 0, f = 0;
  for (var b = 0; b < blocks; b++) {
    while (e < entries.length) {
      var q = entries[e] < 0 ? ~entries[e] : entries[e];
      if (store.first[q] + store.count[q] - 1 > b * BLOCK) break;
      e++;
    }
    f = Math.max(f, e);
    while (f < entries.length && store.first[entries[f] < 0 ? ~entries[f] : entries[f]] < (b + 1) * BLOCK) f++;
    starts[b] = e;
    ends[b] = f;
  }
  return { zoom: zoom, version: store.version, entries: entries, starts: starts, ends: ends };
}
