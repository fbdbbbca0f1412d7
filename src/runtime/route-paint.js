// Paints route pieces on a 2D canvas context in the order given, each on its own: where
// pieces overlap, the later one shows, with the width, colour, round joins and caps it asks
// for. Only the chunks that reach into the view are visited, and of those only the vertices
// the view's zoom needs.
import { CHUNK } from './simplify.js';

// view: zoom (whole number), left, top, right, bottom in pixels at that zoom (the canvas's
// top-left corner is at left, top).
export function paintPieces(ctx, pieces, view) {
  var scale = Math.pow(2, view.zoom);
  ctx.lineCap = 'round';
  ctx.lineJoin = 'round';
  var current = null;
  for (var p = 0; p < pieces.length; p++) {
    var piece = pieces[p];
    if (piece.count < 2) continue;
    // Half the line's width beyond the view still paints into it.
    var margin = (piece.style.weight / 2 + 1) / scale;
    var left = view.left / scale - margin, right = view.right / scale + margin;
    var top = view.top / scale - margin, bottom = view.bottom / scale + margin;
    var box = piece.box;
    if (box[2] < left || box[0] > right || box[3] < top || box[1] > bottom) continue;
    if (piece.style !== current) {
      current = piece.style;
      ctx.strokeStyle = ctx.fillStyle = current.color;
      ctx.lineWidth = current.weight;
      ctx.globalAlpha = current.opacity;
    }
    if ((box[2] - box[0]) * scale < 1 && (box[3] - box[1]) * scale < 1) {
      // Within one pixel: the dot a stroke with round caps would leave.
      ctx.beginPath();
      ctx.arc(piece.xy[0] * scale - view.left, piece.xy[1] * scale - view.top, current.weight / 2, 0, 2 * Math.PI);
      ctx.fill();
      continue;
    }
    ctx.beginPath();
    tracePiece(ctx, piece, view, scale, left, top, right, bottom);
    ctx.stroke();
  }
}

function tracePiece(ctx, piece, view, scale, left, top, right, bottom) {
  var xy = piece.xy, zooms = piece.zooms, boxes = piece.boxes, zoom = view.zoom;
  var joined = false;
  for (var c = 0; c * 4 < boxes.length; c++) {
    var b = 4 * c;
    if (boxes[b + 2] < left || boxes[b] > right || boxes[b + 3] < top || boxes[b + 1] > bottom) {
      joined = false;
      continue;
    }
    var start = c * CHUNK;
    var end = Math.min(start + CHUNK, piece.count - 1);
    // The chunk's first vertex is the one the chunk before ended with.
    var i = start;
    if (!joined) ctx.moveTo(xy[2 * i] * scale - view.left, xy[2 * i + 1] * scale - view.top);
    for (i = start + 1; i <= end; i++) {
      if (zooms[i] <= zoom) ctx.lineTo(xy[2 * i] * scale - view.left, xy[2 * i + 1] * scale - view.top);
    }
    joined = true;
  }
}
