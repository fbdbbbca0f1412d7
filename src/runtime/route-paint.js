// Paints a display list (display-list.js) into a pixel buffer through a Raster
// (route-raster.js), which takes lines from the last to the first: pieces with the width and
// colour they ask for, round joins and caps, so that where pieces overlap the later one
// shows. Consecutive pieces of one opaque style form one line, laid down once: within it the
// order cannot show. Only blocks that reach into the view are visited, and of those only the
// vertices the view's zoom needs.
import { BLOCK } from './route-store.js';

function rgb(color) {
  var n = parseInt(color.slice(1), 16);
  return [n >> 16 & 255, n >> 8 & 255, n & 255];
}

// view: zoom (whole number, that of the list), left, top, right, bottom in CSS pixels at that
// zoom; the raster's top-left corner is at left, top and it has `ratio` pixels to a CSS pixel.
export function paintRoute(raster, store, list, view, ratio) {
  var scale = Math.pow(2, view.zoom);
  var zoom = view.zoom, xy = store.xy, zooms = store.zooms, boxes = store.boxes;
  var entries = list.entries, starts = list.starts, ends = list.ends;
  // Half the widest line beyond the view still paints into it.
  var margin = (store.maxWeight / 2 + 1) / scale;
  var left = view.left / scale - margin, right = view.right / scale + margin;
  var top = view.top / scale - margin, bottom = view.bottom / scale + margin;
  var k = scale * ratio, ox = view.left * ratio, oy = view.top * ratio;

  var run = -1;          // style of the line being painted
  var radius = 0;
  var last = -1;         // entry painted last
  var px = 0, py = 0;    // where the line is

  function layUnder() {
    var style = store.styles[run], c = rgb(style.color);
    raster.layUnder(c[0], c[1], c[2], style.opacity);
  }

  function to(i) {
    var x = xy[2 * i] * k - ox, y = xy[2 * i + 1] * k - oy;
    raster.segment(px, py, x, y, radius);
    px = x;
    py = y;
  }

  for (var b = starts.length - 1; b >= 0; b--) {
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
        if (run >= 0) layUnder();
        run = s;
        radius = store.styles[s].weight / 2 * ratio;
      }
      last = e;
      var final = first + store.count[p] - 1;
      var a = Math.max(first, lo), end = tiny ? final : Math.min(final, hi);
      px = xy[2 * a] * k - ox;
      py = xy[2 * a + 1] * k - oy;
      // A segment of no length paints the dot of its round ends.
      if (tiny) {
        to(end);
      } else {
        for (var i = a + 1; i <= end; i++) if (zooms[i] <= zoom) to(i);
      }
    }
  }
  if (run >= 0) layUnder();
}
