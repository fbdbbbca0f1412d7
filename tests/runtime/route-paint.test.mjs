// Painting route pieces as the map does: widths, round ends and opacity, end points and dots at
// every zoom, and only what the view needs. Page order where pieces cross is the browser's test.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { Raster } from '../../src/runtime/route-raster.js';
import { paint, pixelOf, pointOf, rgba, segmentDistance, storeOf, style, viewAt } from './scene.mjs';

const RED = '#FF0000', GREEN = '#00C800', BLUE = '#0000FF';
const piece = (positions, color, weight = 5, opacity) => ({ positions, style: style(color, weight, opacity) });
// Metres to degrees near 35° north.
const north = (m) => m / 111320, east = (m) => m / 91290;

test('each piece has its width, round ends and opacity', () => {
  const o = [35, 139];
  const at = (mx, my) => [o[0] + north(my), o[1] + east(mx)];
  // East, then a half-clear blue loop.
  const store = storeOf([
    piece([at(-40, 0), at(40, 0)], RED, 9),
    piece([at(-30, -20), at(-10, -20), at(-20, -10), at(-20, -30)], BLUE, 5, 0.5),
    piece([at(-20, -30), at(-25, -35), at(-25, -10)], BLUE, 5, 0.5)
  ]);
  const view = viewAt(18, ...o, 240, 160);   // about 0.5 m a pixel
  const img = paint(store, view);
  const px = (mx, my) => { const p = pixelOf(view, at(mx, my)); return img.at(p.x, p.y); };
  assert.deepEqual(px(-30, 0), rgba(RED));
  // The blue loop crosses itself once, over nothing: blended once there. The next clear
  // blue piece crosses it and is blended over it.
  assert.deepEqual(px(-20, -20), rgba(BLUE, 128));
  const twice = px(-25, -20);
  assert.deepEqual(twice.slice(0, 3), rgba(BLUE).slice(0, 3));
  assert.ok(Math.abs(twice[3] - 0.75 * 255) <= 1, `alpha ${twice[3]}`);
  // Round end: the first piece reaches half its width beyond its last position, no further.
  const end = pixelOf(view, at(-40, 0));
  for (const [dx, dy, want] of [[-3, 0, rgba(RED)], [-6, 0, [0, 0, 0, 0]], [0, -3, rgba(RED)], [0, -6, [0, 0, 0, 0]]]) {
    assert.deepEqual(img.at(end.x + dx, end.y + dy), want, `${dx}, ${dy} from the end`);
  }
});

// Takes the segments painted and the colour each line is laid in, last line first.
function recorder() {
  const lines = [];
  let segments = [];
  return {
    lines,
    segment(ax, ay, bx, by) { segments.push([ax, ay, bx, by]); },
    layUnder(r, g, b) { lines.push({ rgb: [r, g, b], segments }); segments = []; }
  };
}

const offLine = (x, y, segments) => Math.min(...segments.map((s) => segmentDistance(x, y, ...s)));

test('at every zoom each piece runs through its positions and is painted at its ends, and a piece within a pixel is a dot in its colour', () => {
  const pieces = [
    piece(Array.from({ length: 400 }, (_, i) => [35 + north(i), 139 + east(5 * Math.sin(i / 9))]), RED),
    piece([[35 + north(600), 139], [35 + north(600.01), 139 + east(0.02)], [35 + north(600.02), 139]], GREEN, 7),
    piece([[35 + north(900), 139], [35 + north(900), 139]], BLUE)
  ];
  const store = storeOf(pieces);
  for (let z = 0; z <= 22; z++) {
    // Every position lies within half a pixel of its piece's line, or, for a piece that falls
    // within a pixel, within the pixel.
    const all = viewAt(z, 35, 139, 4e6, 4e6);
    const rec = recorder();
    paint(store, all, undefined, rec);
    for (const [i, p] of pieces.entries()) {
      const line = rec.lines.find((l) => rgba(p.style.color).slice(0, 3).every((c, k) => c === l.rgb[k]));
      if (!line) continue;   // covered by the next piece's round end
      const points = p.positions.map((q) => pointOf(all, q));
      const xs = points.map((q) => q.x), ys = points.map((q) => q.y);
      const within = Math.max(...xs) - Math.min(...xs) < 1 && Math.max(...ys) - Math.min(...ys) < 1 ? 1.5 : 0.5;
      const worst = Math.max(...points.map((q) => offLine(q.x, q.y, line.segments)));
      assert.ok(worst <= within + 1e-6, `zoom ${z}, piece ${i}: a position ${worst} px off its line`);
    }
    for (const [i, p] of pieces.entries()) {
      for (const end of [p.positions[0], p.positions.at(-1)]) {
        const view = viewAt(z, ...end, 32, 32);
        const img = paint(store, view);
        const q = pixelOf(view, end);
        assert.equal(img.at(q.x, q.y)[3], 255, `zoom ${z}, piece ${i}`);
        // Apart from the others, the tiny pieces are dots of their own colour and width.
        if (z >= 14 && i > 0) {
          const r = p.style.weight / 2;
          assert.deepEqual(img.at(q.x, q.y), rgba(p.style.color), `zoom ${z}, piece ${i}`);
          assert.equal(img.at(q.x + Math.ceil(r) + 1, q.y)[3], 0, `zoom ${z}, piece ${i} too wide`);
        }
      }
    }
  }
});

test('a redraw visits only the blocks in view and paints in full what is in view', () => {
  // 4,000 positions eastwards, 1 m apart: a view of 64 pixels at zoom 18 holds about 30 m.
  const line = Array.from({ length: 4000 }, (_, i) => [35 + north(i % 2 ? 0.1 : 0), 139 + east(i)]);
  const store = storeOf([piece(line, RED)]);
  const counted = (view) => {
    const raster = new Raster(new Uint8ClampedArray(4 * (view.right - view.left) * (view.bottom - view.top)),
                              view.right - view.left, view.bottom - view.top);
    const segment = raster.segment;
    raster.segments = 0;
    raster.segment = function (...args) { this.segments++; return segment.apply(this, args); };
    return { raster, img: paint(store, view, undefined, raster) };
  };
  const wide = viewAt(18, 35, 139 + east(2000), 12000, 160), view = viewAt(18, 35, 139 + east(1000));
  const whole = counted(wide), part = counted(view);
  assert.ok(part.raster.segments < whole.raster.segments / 8, `${part.raster.segments} of ${whole.raster.segments} segments`);
  // The view through the middle, and one whose top edge runs just below the line: the
  // line's width still reaches into it.
  const below = { ...view, top: view.top + 34, bottom: view.bottom + 34 };
  for (const [v, got] of [[view, part.img], [below, paint(store, below)]]) {
    let painted = 0;
    for (let y = 0; y < 64; y++) {
      for (let x = 0; x < 64; x++) {
        assert.deepEqual(got.at(x, y), whole.img.at(x + v.left - wide.left, y + v.top - wide.top), `pixel ${x}, ${y}`);
        painted += got.at(x, y)[3] > 0;
      }
    }
    assert.ok(painted > 0);
  }
});

test('pieces off screen, and pieces of no or one position, paint nothing', () => {
  const store = storeOf([piece([], RED), piece([[35, 139]], RED), piece([[10, 10], [10.1, 10.1]], RED)]);
  const img = paint(store, viewAt(12, 35, 139));
  assert.ok(img.pixels.every((v) => v === 0));
});
