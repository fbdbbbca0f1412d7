// What is painted of the route at each zoom: the pieces left out are covered by the round
// end of the next piece painted, and those within a pixel are marked to be drawn as dots.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { buildDisplayList } from '../../src/runtime/display-list.js';
import { BLOCK } from '../../src/runtime/route-store.js';
import { cut, storeOf, style, walk } from './scene.mjs';

// A 1 Hz ride of 6,000 positions, cut in grade-coloured pieces, some wider or half clear.
const STYLES = [style('#FF0000'), style('#00FF00'), style('#0000FF'), style('#FF0000', 8), style('#808080', 5, 0.5)];
const STORE = storeOf(cut(walk(6000, 5), STYLES));
const pieceOf = (entry) => (entry < 0 ? ~entry : entry);

test('a piece is left out only under the round end of the next piece painted, as wide and opaque', () => {
  const { xy, first, count } = STORE;
  for (let z = 0; z <= 20; z++) {
    const list = buildDisplayList(STORE, z);
    const pieces = Array.from(list.entries, pieceOf);
    const kept = new Set(pieces);
    let next = -1;
    for (let p = STORE.pieceCount - 1; p >= 0; p--) {
      if (kept.has(p)) { next = p; continue; }
      assert.ok(next >= 0, `zoom ${z}: the last piece ${p} left out`);
      const a = STORE.styles[STORE.style[p]], b = STORE.styles[STORE.style[next]];
      assert.ok(a.opacity === 1 && b.opacity === 1 && a.weight <= b.weight, `zoom ${z}: piece ${p} under ${next}`);
      for (let i = first[p]; i < first[p] + count[p]; i++) {
        const d = Math.hypot(xy[2 * i] - xy[2 * first[next]], xy[2 * i + 1] - xy[2 * first[next] + 1]) * 2 ** z;
        assert.ok(d <= 0.5, `zoom ${z}: piece ${p} reaches ${d.toFixed(2)} px from ${next}`);
      }
    }
    // Entries in page order, those within a pixel marked; per block, the run of those with segments in it.
    assert.deepEqual(pieces, [...pieces].sort((a, b) => a - b));
    for (const e of list.entries) {
      const p = pieceOf(e), span = (k) => {
        const v = Array.from(xy.subarray(2 * first[p], 2 * (first[p] + count[p]))).filter((_, i) => i % 2 === k);
        return (Math.max(...v) - Math.min(...v)) * 2 ** z;
      };
      assert.equal(e < 0, span(0) < 1 && span(1) < 1, `zoom ${z}: piece ${p}`);
    }
    for (let b = 0; b < STORE.blockCount(); b++) {
      const inBlock = pieces.map((p, e) => [p, e]).filter(([p]) =>
        Math.floor(first[p] / BLOCK) <= b && b <= Math.floor((first[p] + count[p] - 2) / BLOCK)).map(([, e]) => e);
      assert.deepEqual([list.starts[b], list.ends[b]], inBlock.length ? [inBlock[0], inBlock.at(-1) + 1] : [list.starts[b], list.starts[b]]);
    }
  }
  // Seen whole, most of a long ride is left out; close up, nothing is.
  assert.ok(buildDisplayList(STORE, 8).entries.length < STORE.pieceCount / 2);
  assert.equal(buildDisplayList(STORE, 20).entries.length, STORE.pieceCount);
});
