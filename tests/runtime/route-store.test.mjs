// The route store: positions read back as the page gave them, pieces taken out, and block
// boxes that hold every segment.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { BLOCK, RouteStore } from '../../src/runtime/route-store.js';
import { MAX_LATITUDE } from '../../src/runtime/projection.js';
import { cut, storeOf, style, walk } from './scene.mjs';

// Longitudes read back unwrapped: the same place, a whole number of turns away.
const wrap = (lng) => ((lng + 180) % 360 + 360) % 360 - 180;

test('positions read back as given, across the antimeridian and at the map\'s northern limit', () => {
  const pieces = [
    [[35.6, 139.7], [35.61, 139.71], [-33.9, 151.2]],
    [[-16.5, 179.999], [-16.5, -179.999], [-16.4, -179.5]],
    [[89, 0], [-89.5, 10]],
    [[0, -180], [0, 179.9999999]]
  ];
  const store = storeOf(pieces.map((positions) => ({ positions, style: style('#FF0000') })));
  pieces.forEach((positions, p) => {
    assert.equal(store.count[p], positions.length);
    positions.forEach(([lat, lng], k) => {
      const want = Math.max(-MAX_LATITUDE, Math.min(MAX_LATITUDE, lat));
      assert.ok(Math.abs(store.lat(p, k) - want) < 1e-9, `piece ${p} vertex ${k}: ${store.lat(p, k)}`);
      assert.ok(Math.abs(wrap(store.lng(p, k) - lng)) < 1e-9, `piece ${p} vertex ${k}: ${store.lng(p, k)}`);
    });
  });
  // The antimeridian crossing runs the short way: a few pixels wide at zoom 0, not the world.
  const x = (k) => store.xy[2 * (store.first[1] + k)];
  assert.ok(Math.abs(x(1) - x(0)) < 0.01 && Math.abs(x(2) - x(0)) < 1);
  // A longitude trillions of turns out (a position built unbounded) is brought within half a
  // turn of the one before at once.
  const far = store.add(Float64Array.of(35, 139, 35, 1e15, 35, -1e15), style('#FF0000'));
  for (const k of [1, 2]) assert.ok(Math.abs(store.lng(far, k) - store.lng(far, k - 1)) <= 180);
});

test('a piece taken out gives back its positions and is no longer drawn; one added again comes last', () => {
  const store = new RouteStore();
  const a = store.add(Float64Array.of(35, 139, 35.1, 139.1), style('#FF0000'));
  const b = store.add(Float64Array.of(35.1, 139.1, 35.2, 139.3), style('#00FF00'));
  const version = store.version;
  const back = store.remove(a);
  assert.ok(store.isRemoved(a) && !store.isRemoved(b) && store.version > version);
  [35, 139, 35.1, 139.1].forEach((v, i) => assert.ok(Math.abs(back[i] - v) < 1e-9));
  const again = store.add(back, style('#FF0000'));
  assert.ok(again > b && store.first[again] > store.first[b]);
  assert.equal(store.styles.length, 2, 'styles shared');
});

test('every segment lies in the box of the block it starts in', () => {
  const store = storeOf(cut(walk(3000, 7, 5), [style('#FF0000'), style('#00FF00', 9)]));
  // Pieces of no and one position between the others.
  store.add(new Float64Array(0), style('#FF0000'));
  store.add(Float64Array.of(35, 139), style('#FF0000'));
  assert.equal(store.blockCount(), Math.ceil((store.vertexCount - 1) / BLOCK));
  const inside = (i, b) => store.xy[2 * i] >= store.boxes[4 * b] && store.xy[2 * i] <= store.boxes[4 * b + 2] &&
    store.xy[2 * i + 1] >= store.boxes[4 * b + 1] && store.xy[2 * i + 1] <= store.boxes[4 * b + 3];
  for (let p = 0; p < store.pieceCount; p++) {
    for (let i = store.first[p]; i + 1 < store.first[p] + store.count[p]; i++) {
      const b = Math.floor(i / BLOCK);
      assert.ok(inside(i, b) && inside(i + 1, b), `segment ${i} in block ${b}`);
    }
  }
});
