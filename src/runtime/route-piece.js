// One polyline of the route, ready to draw at any zoom: projected positions, the zoom each
// vertex is needed from, and the bounding box of each run of vertices (see simplify.js).
import { projectPositions, unwrapLongitudes } from './projection.js';
import { CHUNK, simplifyLine } from './simplify.js';

// Chunk c holds vertices c*CHUNK .. min((c+1)*CHUNK, count-1): neighbours share their end
// vertex, so every segment lies inside the box of the chunk that holds it.
export function chunkCount(count) {
  return count < 2 ? 0 : Math.ceil((count - 1) / CHUNK);
}

function boxes(xy, count) {
  var chunks = chunkCount(count);
  var out = new Float64Array(4 * chunks);
  for (var c = 0; c < chunks; c++) {
    var minX = Infinity, minY = Infinity, maxX = -Infinity, maxY = -Infinity;
    var end = Math.min((c + 1) * CHUNK, count - 1);
    for (var i = c * CHUNK; i <= end; i++) {
      var x = xy[2 * i], y = xy[2 * i + 1];
      if (x < minX) minX = x;
      if (x > maxX) maxX = x;
      if (y < minY) minY = y;
      if (y > maxY) maxY = y;
    }
    out.set([minX, minY, maxX, maxY], 4 * c);
  }
  return out;
}

function union(chunkBoxes) {
  var box = [Infinity, Infinity, -Infinity, -Infinity];
  for (var i = 0; i < chunkBoxes.length; i += 4) {
    box[0] = Math.min(box[0], chunkBoxes[i]);
    box[1] = Math.min(box[1], chunkBoxes[i + 1]);
    box[2] = Math.max(box[2], chunkBoxes[i + 2]);
    box[3] = Math.max(box[3], chunkBoxes[i + 3]);
  }
  return box;
}

// lats and lngs: plain or typed arrays of degrees; lngs are unwrapped in place.
export function makePiece(lats, lngs, style) {
  var count = lats.length;
  var xy = projectPositions(lats, unwrapLongitudes(lngs));
  var chunkBoxes = boxes(xy, count);
  return {
    count: count,
    xy: xy,
    zooms: simplifyLine(xy),
    boxes: chunkBoxes,
    box: union(chunkBoxes),
    style: style
  };
}
