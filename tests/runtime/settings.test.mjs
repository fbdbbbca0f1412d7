// What the runtime takes from the program's tile line, the script address and the page's
// line styles, and how tile addresses are made from a template.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { lineStyle, readScriptAddress, readTileConfig } from '../../src/runtime/settings.js';
import { expandTileTemplate } from '../../src/runtime/tile-template.js';

test('the tile line is taken as written; missing or malformed layers have no service', () => {
  const gsi = { url: 'https://cyberjapandata.gsi.go.jp/xyz/std/{z}/{x}/{y}.png', attribution: 'GSI', maxZoom: 18 };
  assert.deepEqual(readTileConfig({ normal: gsi, aerial: { ...gsi, maxZoom: 40 }, overlay: { url: '', maxZoom: -2 } }), {
    normal: gsi, aerial: { ...gsi, maxZoom: 22 }, overlay: { url: '', attribution: '', maxZoom: 0 }
  });
  const none = { url: '', attribution: '', maxZoom: 18 };
  for (const given of [undefined, null, 'tiles', 42, { normal: 'x', aerial: null }]) {
    assert.deepEqual(readTileConfig(given), { normal: none, aerial: none, overlay: none }, JSON.stringify(given));
  }
  assert.deepEqual(readTileConfig({ normal: { url: 7, attribution: {}, maxZoom: 'high' } }).normal, none);
  assert.equal(readTileConfig({ normal: { maxZoom: '15.7' } }).normal.maxZoom, 15);
});

test('the script address gives the key and the language', () => {
  const cases = [
    ['./maps?file=api&v=2&hl=ja&key=abc', { key: 'abc', japanese: true }],
    ['./maps?file=api&v=2&key=a%20b+c&hl=EN#x', { key: 'a b c', japanese: false }],
    ['./maps?key=%E0%A4&hl=JA', { key: '%E0%A4', japanese: true }],
    ['./maps', { key: '', japanese: false }],
    ['', { key: '', japanese: false }]
  ];
  for (const [src, want] of cases) assert.deepEqual(readScriptAddress(src), want, src);
});

test('line styles: odd widths, colours and opacities give a drawable line', () => {
  const cases = [
    [['#00ff00', 3], { color: '#00ff00', weight: 3, opacity: 1 }],
    [['#FF0000', 0], { color: '#FF0000', weight: 5, opacity: 1 }],
    [['#FF0000', 1000], { color: '#FF0000', weight: 100, opacity: 1 }],
    [['#FF0000', -4, 0.5], { color: '#FF0000', weight: 5, opacity: 0.5 }],
    [['#FF0000', 'wide', 7], { color: '#FF0000', weight: 5, opacity: 1 }],
    [['red', 2.5, 0], { color: '#0000FF', weight: 2.5, opacity: 0 }],
    [['#12345', 1, null], { color: '#0000FF', weight: 1, opacity: 1 }]
  ];
  for (const [args, want] of cases) assert.deepEqual(lineStyle(...args), want, JSON.stringify(args));
});

test('tile templates fill their fields and leave other brace text alone', () => {
  const values = { z: 12, x: 3638, y: 1612, s: 'a', key: 'k y&=', r: '' };
  const cases = [
    ['https://cyberjapandata.gsi.go.jp/xyz/std/{z}/{x}/{y}.png', 'https://cyberjapandata.gsi.go.jp/xyz/std/12/3638/1612.png'],
    ['https://{s}.t.example/{z}/{x}/{y}{r}.png?key={key}', 'https://a.t.example/12/3638/1612.png?key=k%20y%26%3D'],
    ['https://t.example/{zoom}/{x}/{y}.png?{key}{key}', 'https://t.example/{zoom}/3638/1612.png?k%20y%26%3Dk%20y%26%3D'],
    ['https://t.example/static.png', 'https://t.example/static.png']
  ];
  for (const [template, want] of cases) assert.equal(expandTileTemplate(template, values), want);
  assert.equal(expandTileTemplate('{key}/{s}', { key: undefined, s: null }), '/');
});
