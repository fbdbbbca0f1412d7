// The per-zoom simplification: at every zoom the drawn line stays within half a pixel of
// every vertex left out, and the vertices that pin colour boundaries and chunks stay.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { CHUNK, NEVER, simplifyLine, zoomForDeviation } from '../../src/runtime/simplify.js';
import { projectX, projectY, unwrapLongitude } from '../../src/runtime/projection.js';

// A deterministic wandering track of n points, about `metres` apart, near Tokyo.
function walk(n, metres, seed = 7) {
  let state = seed;
  const rand = () => ((state = (state * 1664525 + 1013904223) >>> 0) / 2 ** 32);
  const lats = new Float64Array(n), lngs = new Float64Array(n);
  let lat = 35.6, lng = 139.7, heading = 0;
  for (let i = 0; i < n; i++) {
    heading += (rand() - 0.5) * 0.8;
    lat += metres * Math.cos(heading) / 111320;
    lng += metres * Math.sin(heading) / 90000;
    lats[i] = lat;
    lngs[i] = lng;
  }
  return project(lats, lngs);
}

function project(lats, lngs) {
  const xy = new Float64Array(2 * lats.length);
  let lng = 0;
  for (let i = 0; i < lats.length; i++) {
    lng = i ? unwrapLongitude(lngs[i], lng) : lngs[i];
    xy[2 * i] = projectX(lng);
    xy[2 * i + 1] = projectY(lats[i]);
  }
  return xy;
}

// Zooms of the whole of xy, or of vertices first..last of it.
function zoomsOf(xy, first = 0, last = xy.length / 2 - 1) {
  const zooms = new Uint8Array(xy.length / 2);
  simplifyLine(xy, zooms, first, last);
  return zooms;
}

// Distance from vertex i to the segment a-b: the distance to a point sliding along the
// segment is convex, so a ternary search finds its least value.
function offLine(xy, i, a, b) {
  const at = (t) => Math.hypot(xy[2 * i] - (xy[2 * a] + t * (xy[2 * b] - xy[2 * a])),
                               xy[2 * i + 1] - (xy[2 * a + 1] + t * (xy[2 * b + 1] - xy[2 * a + 1])));
  let lo = 0, hi = 1;
  for (let k = 0; k < 60; k++) {
    const m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
    if (at(m1) < at(m2)) hi = m2; else lo = m1;
  }
  return at((lo + hi) / 2);
}

function fromPairs(pairs) {
  return project(pairs.map((p) => p[0]), pairs.map((p) => p[1]));
}

const SHAPES = {
  'a wandering 1 Hz ride': walk(3000, 5),
  'a long wandering ride over many chunks': walk(20000, 40, 3),
  'a tight zig-zag': fromPairs(Array.from({ length: 600 }, (_, i) => [35 + (i % 2) * 1e-5, 139 + i * 1e-6])),
  'a spiral': fromPairs(Array.from({ length: 2000 }, (_, i) => [35 + 1e-5 * i * Math.sin(i / 10), 139 + 1e-5 * i * Math.cos(i / 10)])),
  'a line across the antimeridian': fromPairs(Array.from({ length: 500 }, (_, i) => [-16 + 1e-4 * Math.sin(i), 179.98 + i * 1e-4])),
  'a straight line with repeats': fromPairs(Array.from({ length: 300 }, (_, i) => [35 + Math.floor(i / 3) * 1e-5, 139]))
};

test('at every zoom each vertex left out lies within half a pixel of the drawn line', () => {
  for (const [name, xy] of Object.entries(SHAPES)) {
    const zooms = zoomsOf(xy);
    const n = xy.length / 2;
    for (let z = 0; z <= 22; z++) {
      const drawn = [];
      for (let i = 0; i < n; i++) if (zooms[i] <= z) drawn.push(i);
      assert.equal(drawn[0], 0, `${name}: first vertex at zoom ${z}`);
      assert.equal(drawn.at(-1), n - 1, `${name}: last vertex at zoom ${z}`);
      let worst = 0;
      for (let k = 0; k + 1 < drawn.length; k++) {
        for (let i = drawn[k] + 1; i < drawn[k + 1]; i++) {
          worst = Math.max(worst, offLine(xy, i, drawn[k], drawn[k + 1]) * 2 ** z);
        }
      }
      assert.ok(worst <= 0.5 + 1e-9, `${name}: a vertex ${worst} px off the line at zoom ${z}`);
    }
    // It does simplify: the whole-world view needs few of the vertices.
    assert.ok(zooms.filter((zoom) => zoom === 0).length <= Math.ceil(n / CHUNK) + 1 + n / 50, name);
  }
});

test('multiples of the chunk size in the array are drawn at every zoom, so a redraw can start at any chunk', () => {
  const xy = walk(1000, 5);
  for (const first of [0, 100]) {
    const zooms = zoomsOf(xy, first, 999);
    for (let i = 256; i < 1000; i += CHUNK) assert.equal(zooms[i], 0, `vertex ${i} of a line from ${first}`);
    assert.deepEqual([zooms[first], zooms[999]], [0, 0]);
  }
});

test('lines of identical or collinear points keep only their ends', () => {
  const same = fromPairs(Array.from({ length: 50 }, () => [35, 139]));
  assert.deepEqual([...zoomsOf(same)], [0, ...Array(48).fill(NEVER), 0]);
  const straight = fromPairs(Array.from({ length: 9 }, (_, i) => [35, 139 + i * 1e-3]));
  assert.deepEqual([...zoomsOf(straight)], [0, ...Array(7).fill(NEVER), 0]);
  assert.deepEqual([...zoomsOf(fromPairs([[35, 139]]))], [0]);
  assert.deepEqual([...zoomsOf(new Float64Array(0))], []);
});

test('a vertex is drawn from the first zoom at which it moves the line by more than half a pixel', () => {
  const cases = [[1, 0], [0.5, 1], [0.5000001, 0], [0.25, 2], [0.26, 1], [0.5 / 2 ** 20, 21], [1e-12, NEVER], [0, NEVER]];
  for (const [deviation, zoom] of cases) assert.equal(zoomForDeviation(deviation), zoom, `deviation ${deviation}`);
});
