// Painting route pieces: page order, end points, dots for tiny pieces, and only what the
// view needs. A recording context stands in for the canvas.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { makePiece } from '../../src/runtime/route-piece.js';
import { paintPieces } from '../../src/runtime/route-paint.js';
import { projectX, projectY } from '../../src/runtime/projection.js';
import { lineStyle } from '../../src/runtime/settings.js';

// Records each stroke or fill with its colour, width and the points of its path.
function recorder() {
  const ops = [];
  let path = [];
  return {
    ops,
    beginPath() { path = []; },
    moveTo(x, y) { path.push({ move: true, x, y }); },
    lineTo(x, y) { path.push({ x, y }); },
    arc(x, y, r) { path.push({ arc: r, x, y }); },
    stroke() { ops.push({ op: 'stroke', color: this.strokeStyle, width: this.lineWidth, cap: this.lineCap, join: this.lineJoin, path }); },
    fill() { ops.push({ op: 'fill', color: this.fillStyle, path }); }
  };
}

const piece = (pairs, color, weight = 5) =>
  makePiece(pairs.map((p) => p[0]), pairs.map((p) => p[1]), lineStyle(color, weight));

// A view at zoom z whose top-left corner is the given position, w × h pixels.
function viewAt(z, lat, lng, w = 800, h = 600) {
  const s = 2 ** z;
  const left = projectX(lng) * s, top = projectY(lat) * s;
  return { zoom: z, left, top, right: left + w, bottom: top + h };
}

function pixel(view, lat, lng) {
  const s = 2 ** view.zoom;
  return { x: projectX(lng) * s - view.left, y: projectY(lat) * s - view.top };
}

const near = (a, b) => Math.hypot(a.x - b.x, a.y - b.y) < 1e-6;

test('pieces are painted one by one in the order given, with their own style and round ends', () => {
  const track = Array.from({ length: 30 }, (_, i) => [35.01 - i * 1e-4, 139.99 + i * 1e-4]);
  const pieces = [piece(track.slice(0, 11), '#FF0000'), piece(track.slice(10, 21), '#00FF00', 3),
                  piece(track.slice(20), '#FF0000')];
  const ctx = recorder();
  const view = viewAt(15, 35.011, 139.989);
  paintPieces(ctx, pieces, view);
  assert.deepEqual(ctx.ops.map((o) => [o.op, o.color, o.width]),
                   [['stroke', '#FF0000', 5], ['stroke', '#00FF00', 3], ['stroke', '#FF0000', 5]]);
  assert.ok(ctx.ops.every((o) => o.cap === 'round' && o.join === 'round'));
  // Each piece starts and ends where the page put its first and last position.
  pieces.forEach((p, i) => {
    const points = ctx.ops[i].path;
    const ends = [track[i * 10], track[Math.min(i * 10 + 10, track.length - 1)]];
    assert.ok(points[0].move && near(points[0], pixel(view, ...ends[0])), `piece ${i} start`);
    assert.ok(near(points.at(-1), pixel(view, ...ends[1])), `piece ${i} end`);
  });
});

test('at every zoom the end points of every piece are drawn, and a piece within one pixel is a dot in its colour', () => {
  const pieces = [
    piece(Array.from({ length: 400 }, (_, i) => [35 + i * 1e-5, 139 + Math.sin(i / 9) * 1e-4]), '#112233'),
    piece([[35.004, 139.0002], [35.00401, 139.00021], [35.00402, 139.0002]], '#445566', 7),
    piece([[35.005, 139], [35.005, 139]], '#778899')
  ];
  for (let z = 0; z <= 22; z++) {
    const ctx = recorder();
    const view = viewAt(z, 35.0055, 138.9999, 1e6, 1e6);
    paintPieces(ctx, pieces, view);
    assert.equal(ctx.ops.length, 3, `zoom ${z}`);
    pieces.forEach((p, i) => {
      const op = ctx.ops[i];
      const span = Math.max(p.box[2] - p.box[0], p.box[3] - p.box[1]) * 2 ** z;
      const first = { x: p.xy[0] * 2 ** z - view.left, y: p.xy[1] * 2 ** z - view.top };
      if (span < 1) {
        assert.deepEqual([op.op, op.color, op.path.length, op.path[0].arc], ['fill', p.style.color, 1, p.style.weight / 2], `zoom ${z} piece ${i}`);
        assert.ok(near(op.path[0], first));
      } else {
        const n = p.count - 1;
        const last = { x: p.xy[2 * n] * 2 ** z - view.left, y: p.xy[2 * n + 1] * 2 ** z - view.top };
        assert.equal(op.op, 'stroke', `zoom ${z} piece ${i}`);
        assert.ok(near(op.path[0], first) && near(op.path.at(-1), last), `zoom ${z} piece ${i} ends`);
      }
    });
  }
});

test('a redraw visits only the chunks in view, and the path stays whole where it is in view', () => {
  // 4,000 points eastwards: the view holds a twentieth of them.
  const line = piece(Array.from({ length: 4000 }, (_, i) => [35 + (i % 2) * 1e-6, 139 + i * 1e-5]), '#000000');
  const all = recorder();
  paintPieces(all, [line], viewAt(22, 35.001, 138.99, 1e9, 1e6));
  const ctx = recorder();
  const view = viewAt(22, 35.0001, 139.009);
  view.right = pixel(view, 35, 139.011).x + view.left;
  paintPieces(ctx, [line], view);
  const path = ctx.ops[0].path;
  assert.ok(path.length < all.ops[0].path.length / 4, `${path.length} of ${all.ops[0].path.length} points`);
  // Every drawn segment that crosses the view is there, unbroken.
  const inView = path.filter((p) => p.x >= 0 && p.x <= view.right - view.left);
  assert.ok(inView.length > 0);
  assert.equal(path.filter((p) => p.move).length, 1);
});

test('pieces off screen, and pieces of no or one position, paint nothing', () => {
  const ctx = recorder();
  paintPieces(ctx, [piece([], '#000000'), piece([[35, 139]], '#000000'),
                    piece([[10, 10], [10.1, 10.1]], '#000000')], viewAt(12, 35.1, 138.9));
  assert.deepEqual(ctx.ops, []);
});
