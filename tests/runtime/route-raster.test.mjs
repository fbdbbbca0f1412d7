// The route's rasteriser against a plain reference: every pixel's coverage measured from its
// centre to each line, and the lines laid over each other first to last in floating point.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { Raster } from '../../src/runtime/route-raster.js';
import { seeded, segmentDistance } from './scene.mjs';

const W = 48, H = 40;

// lines: { points: [[x, y], ...], radius, rgb, opacity }, first to last.
function reference(lines) {
  const out = new Float64Array(4 * W * H);
  for (let y = 0; y < H; y++) {
    for (let x = 0; x < W; x++) {
      let r = 0, g = 0, b = 0, a = 0;   // premultiplied
      for (const line of lines) {
        let d = Infinity;
        for (let i = 0; i + 1 < line.points.length; i++) d = Math.min(d, segmentDistance(x + 0.5, y + 0.5, ...line.points[i], ...line.points[i + 1]));
        const s = Math.max(0, Math.min(1, line.radius + 0.5 - d)) * line.opacity;
        r = line.rgb[0] * s + r * (1 - s);
        g = line.rgb[1] * s + g * (1 - s);
        b = line.rgb[2] * s + b * (1 - s);
        a = s + a * (1 - s);
      }
      out.set([r, g, b, a * 255], 4 * (y * W + x));
    }
  }
  return out;
}

function rasterise(lines) {
  const raster = new Raster(new Uint8ClampedArray(4 * W * H), W, H);
  for (let k = lines.length - 1; k >= 0; k--) {
    const { points, radius, rgb, opacity } = lines[k];
    for (let i = 0; i + 1 < points.length; i++) raster.segment(...points[i], ...points[i + 1], radius);
    raster.layUnder(...rgb, opacity);
  }
  return raster.pixels;
}

const RED = [255, 0, 0], GREEN = [0, 200, 0], BLUE = [0, 0, 255];
const line = (points, radius, rgb, opacity = 1) => ({ points, radius, rgb, opacity });

function scribble(n, seed) {
  const rand = seeded(seed);
  const lines = [];
  let x = 24, y = 20;
  for (let i = 0; i < n; i++) {
    const points = [[x, y]];
    for (let k = 0; k < 3; k++) {
      x = Math.max(-3, Math.min(W + 3, x + (rand() - 0.5) * 6));
      y = Math.max(-3, Math.min(H + 3, y + (rand() - 0.5) * 6));
      points.push([x, y]);
    }
    lines.push(line(points, 1 + rand() * 4, [RED, GREEN, BLUE][i % 3], i % 7 === 0 ? 0.5 : 1));
  }
  return lines;
}

const SCENES = {
  'segments in every direction': [[30, 0], [30, 11], [0, 17], [-21, 21], [-30, 3], [-13, -19], [0, -15], [22, -22]]
    .map(([dx, dy], i) => line([[24.3, 20.6], [24.3 + dx, 20.6 + dy]], 0.5 + i % 4, [RED, GREEN, BLUE][i % 3])),
  'dots, a hair-thin line and a line off the edge': [
    line([[10.5, 10.5], [10.5, 10.5]], 4, RED), line([[30.2, 8.7], [30.2, 8.7]], 0.3, BLUE),
    line([[2, 30], [45, 33.3]], 0.2, GREEN), line([[-10, -5], [60, 50]], 3, BLUE)],
  'a loop, laid once where it crosses itself': [
    line([[5, 20], [40, 20]], 3, BLUE), line([[10, 5], [30, 35], [35, 10], [8, 30]], 4, RED, 0.5)],
  'three hundred short lines over each other': scribble(300, 11)
};

test('lines come out as the reference paints them, each over the ones before', () => {
  for (const [name, lines] of Object.entries(SCENES)) {
    const want = reference(lines), got = rasterise(lines);
    let worst = 0, where = -1;
    for (let i = 0; i < got.length; i += 4) {
      const a = got[i + 3] / 255;
      for (let c = 0; c < 4; c++) {
        const diff = Math.abs((c < 3 ? got[i + c] * a : got[i + c]) - want[i + c]);
        if (diff > worst) { worst = diff; where = i / 4; }
      }
    }
    assert.ok(worst <= 3, `${name}: off by ${worst.toFixed(1)} at pixel ${where % W}, ${Math.floor(where / W)}`);
  }
});

test('a cleared raster paints afresh', () => {
  const raster = new Raster(new Uint8ClampedArray(4 * W * H), W, H);
  const once = () => {
    raster.segment(5, 5, 40, 30, 6);
    raster.layUnder(...RED, 1);
    raster.segment(40, 5, 5, 30, 2);
    raster.layUnder(...BLUE, 1);
    return Array.from(raster.pixels);
  };
  const first = once();
  raster.clear();
  assert.deepEqual(once(), first);
});
