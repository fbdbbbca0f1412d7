// Per-zoom simplification, worked out once when a line is added: each vertex gets the lowest
// zoom at which it must be drawn. At zoom z a vertex is drawn when its zoom is <= z, and the
// line through the drawn vertices then stays within half a pixel of every vertex left out
// (Douglas-Peucker with a tolerance of 0.5 px at that zoom, for all zooms at once).
//
// Lines are cut into runs at every multiple of CHUNK (counted in the array that holds them),
// and the cuts are always drawn: the runs are simplified independently, which keeps the work
// near n log n even for a line of a million points, and lets a redraw skip whole runs that lie
// off screen.

export var CHUNK = 256;
// Zoom value of a vertex that lies on the line through its neighbours: never needed.
export var NEVER = 255;
// Beyond this zoom a deviation is too small to matter; deeper recursion would only cost time.
var DEEPEST = 24;
var HALF_PIXEL = 0.5;
// Half a pixel at each zoom, in zoom-0 units: exact, being halves of halves.
var HALF_PIXEL_AT = Array.from({ length: DEEPEST + 1 }, function (_, z) { return HALF_PIXEL / Math.pow(2, z); });

// The lowest whole zoom at which a vertex that moves the line by `deviation` (zoom-0 units)
// moves it by more than half a pixel.
export function zoomForDeviation(deviation) {
  for (var z = 0; z <= DEEPEST; z++) if (deviation > HALF_PIXEL_AT[z]) return z;
  return NEVER;
}

// Distance from vertex k to the segment from vertex a to vertex b, positions in xy pairs.
export function segmentDistance(xy, k, a, b) {
  var ax = xy[2 * a], ay = xy[2 * a + 1];
  var dx = xy[2 * b] - ax, dy = xy[2 * b + 1] - ay;
  var px = xy[2 * k] - ax, py = xy[2 * k + 1] - ay;
  var len2 = dx * dx + dy * dy;
  var t = len2 > 0 ? (px * dx + py * dy) / len2 : 0;
  if (t < 0) t = 0; else if (t > 1) t = 1;
  var ex = px - t * dx, ey = py - t * dy;
  return Math.sqrt(ex * ex + ey * ey);
}

// Fills zooms[a+1 .. b-1]; a and b are drawn at every zoom this range is.
function simplifyRange(xy, zooms, a, b) {
  if (b - a < 2) return;
  var stack = [a, b, Infinity];
  while (stack.length) {
    var limit = stack.pop(), last = stack.pop(), first = stack.pop();
    if (last - first < 2) continue;
    var far = -1, farthest = -1;
    for (var k = first + 1; k < last; k++) {
      var d = segmentDistance(xy, k, first, last);
      if (d > farthest) { farthest = d; far = k; }
    }
    // A vertex is never needed at a lower zoom than the one that splits its range: then the
    // vertices drawn at a zoom are exactly those Douglas-Peucker keeps at that tolerance.
    var deviation = far < 0 ? 0 : Math.min(farthest, limit);
    var zoom = zoomForDeviation(deviation);
    if (zoom === NEVER) {
      for (var i = first + 1; i < last; i++) zooms[i] = NEVER;
      continue;
    }
    zooms[far] = zoom;
    stack.push(first, far, deviation, far, last, deviation);
  }
}

// Fills zooms[first .. last] for the line whose vertices are xy[2*first ..] to xy[2*last + 1].
export function simplifyLine(xy, zooms, first, last) {
  if (last < first) return;
  zooms[first] = 0;
  for (var start = first; start < last;) {
    var end = Math.min((Math.floor(start / CHUNK) + 1) * CHUNK, last);
    zooms[end] = 0;
    simplifyRange(xy, zooms, start, end);
    start = end;
  }
}
