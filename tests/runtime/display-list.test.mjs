// What is painted of the route at each zoom: the pieces left out are covered by the round
// end of the next piece painted, and pieces of one style are laid down as one line.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { buildDisplayList } from '../../src/runtime/display-list.js';
import { BLOCK } from '../../src/runtime/route-store.js';
import { cut, paint, storeOf, style, viewAt, walk } from './scene.mjs';

const STYLES = [style('#FF0000'), style('#00FF00'), style('#0000FF'), style('#FF0000', 8), style('#808080', 5, 0.5)];
// A 1 Hz ride of 6,000 positions, cut in grade-coloured pieces, some wider or half clear.
const RIDE = walk(6000, 5);
const PIECES = cut(RIDE, STYLES);
const STORE = storeOf(PIECES);
const pieceOf = (entry) => (entry < 0 ? ~entry : entry);

test('a piece is left out only under the round end of the next piece painted, as wide and opaque', () => {
  const { xy, first, count } = STORE;
  for (let z = 0; z <= 20; z++) {
    const list = buildDisplayList(STORE, z);
    const kept = new Set(Array.from(list.entries, pieceOf));
    const tolerance = 0.5 / 2 ** z;
    let next = -1;
    for (let p = STORE.pieceCount - 1; p >= 0; p--) {
      if (kept.has(p)) { next = p; continue; }
      assert.ok(next >= 0, `zoom ${z}: the last piece ${p} left out`);
      const a = STORE.styles[STORE.style[p]], b = STORE.styles[STORE.style[next]];
      assert.ok(a.opacity === 1 && b.opacity === 1 && a.weight <= b.weight, `zoom ${z}: piece ${p} under ${next}`);
      for (let i = first[p]; i < first[p] + count[p]; i++) {
        const d = Math.hypot(xy[2 * i] - xy[2 * first[next]], xy[2 * i + 1] - xy[2 * first[next] + 1]);
        assert.ok(d <= tolerance, `zoom ${z}: piece ${p} reaches ${(d / tolerance / 2).toFixed(2)} px from ${next}`);
      }
    }
    // Entries in page order; those within a pixel marked; per block those with segments in it.
    const pieces = Array.from(list.entries, pieceOf);
    assert.deepEqual(pieces, [...pieces].sort((a, b) => a - b));
    for (const e of list.entries) {
      const p = pieceOf(e), from = first[p], to = from + count[p];
      const x = Array.from(xy.subarray(2 * from, 2 * to)).filter((_, k) => k % 2 === 0);
      const y = Array.from(xy.subarray(2 * from, 2 * to)).filter((_, k) => k % 2 === 1);
      const tiny = (Math.max(...x) - Math.min(...x)) * 2 ** z < 1 && (Math.max(...y) - Math.min(...y)) * 2 ** z < 1;
      assert.equal(e < 0, tiny, `zoom ${z}: piece ${p}`);
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

test('consecutive pieces of one opaque style are laid down as one line; other styles and clear pieces never join', () => {
  for (const z of [8, 12, 16]) {
    const list = buildDisplayList(STORE, z);
    const laid = [];
    paint(STORE, viewAt(z, 35.6, 139.7, 1e7, 1e7), list, {
      segment() {},
      layUnder(r, g, b, opacity) { laid.push(`${r},${g},${b},${opacity}`); }
    });
    const want = [];
    let previous = -1;
    for (const e of list.entries) {
      const s = STORE.style[pieceOf(e)], st = STORE.styles[s];
      const rgb = [1, 3, 5].map((k) => parseInt(st.color.slice(k, k + 2), 16)).join(',');
      // Width does not show in the key: the same colour in two widths is two lines.
      if (s !== previous || st.opacity < 1) want.push(`${rgb},${st.opacity}`);
      previous = s;
    }
    assert.deepEqual(laid, want.reverse(), `zoom ${z}`);
  }
});
