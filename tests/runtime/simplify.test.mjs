// The per-zoom simplification: at every zoom the drawn line stays within half a pixel of
// every vertex left out, and the vertices that pin colour boundaries and chunks stay.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { CHUNK, NEVER, simplifyLine, zoomForDeviation } from '../../src/runtime/simplify.js';
import { segmentDistance, storeOf, style, walk } from './scene.mjs';

// [lat, lng] positions to the flat x, y array the runtime simplifies, as the route store lays them.
const project = (positions) => storeOf([{ positions, style: style('#FF0000') }]).xy.slice(0, 2 * positions.length);

// Zooms of the whole of xy, or of vertices first..last of it.
function zoomsOf(xy, first = 0, last = xy.length / 2 - 1) {
  const zooms = new Uint8Array(xy.length / 2);
  simplifyLine(xy, zooms, first, last);
  return zooms;
}

const line = (n, f) => project(Array.from({ length: n }, (_, i) => f(i)));
const SHAPES = {
  'a wandering 1 Hz ride': project(walk(3000, 5)),
  'a long wandering ride over many chunks': project(walk(20000, 40, 3)),
  'a tight zig-zag': line(600, (i) => [35 + (i % 2) * 1e-5, 139 + i * 1e-6]),
  'a spiral': line(2000, (i) => [35 + 1e-5 * i * Math.sin(i / 10), 139 + 1e-5 * i * Math.cos(i / 10)]),
  'a line across the antimeridian': line(500, (i) => [-16 + 1e-4 * Math.sin(i), 179.98 + i * 1e-4]),
  'a straight line with repeats': line(300, (i) => [35 + Math.floor(i / 3) * 1e-5, 139])
};

test('at every zoom each vertex left out lies within half a pixel of the drawn line', () => {
  for (const [name, xy] of Object.entries(SHAPES)) {
    const zooms = zoomsOf(xy);
    const n = xy.length / 2;
    for (let z = 0; z <= 22; z++) {
      const drawn = [];
      for (let i = 0; i < n; i++) if (zooms[i] <= z) drawn.push(i);
      assert.deepEqual([drawn[0], drawn.at(-1)], [0, n - 1], `${name}: end vertices at zoom ${z}`);
      let worst = 0;
      for (let k = 0; k + 1 < drawn.length; k++) {
        const [a, b] = [drawn[k], drawn[k + 1]];
        for (let i = a + 1; i < b; i++) {
          worst = Math.max(worst, segmentDistance(xy[2 * i], xy[2 * i + 1], xy[2 * a], xy[2 * a + 1], xy[2 * b], xy[2 * b + 1]) * 2 ** z);
        }
      }
      assert.ok(worst <= 0.5 + 1e-9, `${name}: a vertex ${worst} px off the line at zoom ${z}`);
    }
    // It does simplify: the whole-world view needs few of the vertices.
    assert.ok(zooms.filter((zoom) => zoom === 0).length <= Math.ceil(n / CHUNK) + 1 + n / 50, name);
  }
});

test('multiples of the chunk size in the array are drawn at every zoom, so a redraw can start at any chunk', () => {
  const xy = project(walk(1000, 5));
  for (const first of [0, 100]) {
    const zooms = zoomsOf(xy, first, 999);
    for (let i = 256; i < 1000; i += CHUNK) assert.equal(zooms[i], 0, `vertex ${i} of a line from ${first}`);
    assert.deepEqual([zooms[first], zooms[999]], [0, 0]);
  }
});

test('lines of identical or collinear points keep only their ends', () => {
  assert.deepEqual([...zoomsOf(line(50, () => [35, 139]))], [0, ...Array(48).fill(NEVER), 0]);
  assert.deepEqual([...zoomsOf(line(9, (i) => [35, 139 + i * 1e-3]))], [0, ...Array(7).fill(NEVER), 0]);
  assert.deepEqual([...zoomsOf(line(1, () => [35, 139]))], [0]);
  assert.deepEqual([...zoomsOf(new Float64Array(0))], []);
});

test('a vertex is drawn from the first zoom at which it moves the line by more than half a pixel', () => {
  const cases = [[1, 0], [0.5, 1], [0.5000001, 0], [0.25, 2], [0.26, 1], [0.5 / 2 ** 20, 21], [1e-12, NEVER], [0, NEVER]];
  for (const [deviation, zoom] of cases) assert.equal(zoomForDeviation(deviation), zoom, `deviation ${deviation}`);
});
