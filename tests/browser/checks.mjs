// Checks of a loaded page against the statements in its own text.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { AERIAL_HOST, NORMAL_HOST, PIXEL_OF, openPage, pageFacts, settle } from './support.mjs';

export const TYPE_LABELS = {
  ja: ['地図', '航空写真', '地図+写真'],
  en: ['Map', 'Satellite', 'Hybrid']
};
const TYPE_INDEX = { G_NORMAL_MAP: 0, G_SATELLITE_MAP: 1, G_HYBRID_MAP: 2 };

export function assertNoProblems(opened) {
  assert.deepEqual(opened.problems, [], 'console errors, page errors or stray requests');
}

// The runtime draws the polylines of one colour and width as one path, styles in order of
// first use: each style's path holds one line per GPolyline statement of that style with two
// or more positions (the view holds the whole route, so none is clipped away).
export async function checkPolylines(page, facts) {
  const drawn = await page.$$eval('.leaflet-overlay-pane path.trackalbum-polyline', (paths) =>
    paths.map((p) => ({ color: p.getAttribute('stroke').toLowerCase(), width: +p.getAttribute('stroke-width'),
                        // Leaflet writes "M0 0" for a path with nothing to draw.
                        lines: p.getAttribute('d') === 'M0 0' ? 0 : (p.getAttribute('d').match(/M/g) || []).length })));
  const want = [];
  for (const { color, width, points } of facts.polylines) {
    let style = want.find((w) => w.color === color && w.width === width);
    if (!style) want.push(style = { color, width, lines: 0 });
    if (points >= 2) style.lines++;
  }
  assert.deepEqual(drawn, want);
}

// One marker per placed photo, plus the player's icon where the page has one.
export async function checkMarkerCount(page, facts) {
  const icons = await page.$$eval('.leaflet-marker-pane img', (imgs) => imgs.map((i) => i.getAttribute('src')));
  const player = icons.filter((src) => src.endsWith('mm_20_red.png'));
  assert.equal(player.length, facts.ps.length > 0 ? 1 : 0, 'player icon');
  assert.equal(icons.length - player.length, facts.markers.length, 'photo markers');
}

// The view holds every route position (and every photo) inside the map division.
export async function checkViewContainsRoute(page, facts) {
  const outside = await page.evaluate(([pixelOf, positions]) => {
    const f = eval(pixelOf);
    const el = document.getElementById('map');
    return positions.filter(([lat, lng]) => {
      const p = f(lat, lng);
      return !(p.x >= -0.5 && p.y >= -0.5 && p.x <= el.clientWidth + 0.5 && p.y <= el.clientHeight + 0.5);
    }).length;
  }, [PIXEL_OF, [...facts.route, ...facts.markers.map((m) => [m.lat, m.lng])]]);
  assert.equal(outside, 0, 'positions outside the view');
}

// The map division has the size the page's style gives it.
export async function checkMapSize(page, facts) {
  const { w, h, vw, vh } = await page.evaluate(() => {
    const r = document.getElementById('map').getBoundingClientRect();
    return { w: r.width, h: r.height, vw: document.documentElement.clientWidth, vh: document.documentElement.clientHeight };
  });
  const expect = (text, whole) => text.endsWith('%') ? whole * parseFloat(text) / 100 : parseFloat(text);
  assert.ok(Math.abs(w - expect(facts.width, vw)) < 1.5, `width ${w} for ${facts.width}`);
  assert.ok(Math.abs(h - expect(facts.height, vh)) < 1.5, `height ${h} for ${facts.height}`);
  assert.ok(w > 0 && h > 0);
}

// Exactly the controls the page adds, with their labels.
export async function checkControls(page, facts) {
  const has = (name) => facts.controls.includes(name);
  const got = await page.evaluate(() => ({
    small: document.querySelectorAll('.trackalbum-nav-small').length,
    large: document.querySelectorAll('.trackalbum-nav-large').length,
    zoomBar: document.querySelectorAll('.trackalbum-nav-large .trackalbum-zoombar').length,
    pan: document.querySelectorAll('.leaflet-top.leaflet-left .trackalbum-pan a').length,
    types: [...document.querySelectorAll('.leaflet-top.leaflet-right .trackalbum-maptype')].map((b) => b.textContent),
    pressed: [...document.querySelectorAll('.trackalbum-maptype')].map((b) => b.getAttribute('aria-pressed')),
    scaleLines: [...document.querySelectorAll('.leaflet-bottom.leaflet-left .leaflet-control-scale-line')].map((l) => l.textContent),
    overview: document.querySelectorAll('.leaflet-bottom.leaflet-right .leaflet-control-minimap').length,
    attribution: document.querySelector('.leaflet-bottom.leaflet-right .leaflet-control-attribution')?.textContent || ''
  }));
  assert.equal(got.small, has('GSmallMapControl') ? 1 : 0, 'small control');
  assert.equal(got.large, has('GLargeMapControl') ? 1 : 0, 'large control');
  assert.equal(got.zoomBar, got.large, 'zoom bar only on the large control');
  assert.equal(got.pan, (got.small + got.large) * 4, 'pan arrows');
  if (has('GMapTypeControl')) {
    assert.deepEqual(got.types, TYPE_LABELS[facts.japanese ? 'ja' : 'en']);
    const pressed = got.pressed.map((p, i) => (p === 'true' ? i : -1)).filter((i) => i >= 0);
    assert.deepEqual(pressed, [TYPE_INDEX[facts.mapType]]);
  } else {
    assert.deepEqual(got.types, []);
  }
  if (has('GScaleControl')) {
    assert.equal(got.scaleLines.length, facts.japanese ? 1 : 2, `scale lines ${got.scaleLines}`);
    assert.match(got.scaleLines[0], /\d+ k?m$/);
    if (!facts.japanese) assert.match(got.scaleLines[1], /\d+ (ft|mi)$/);
  } else {
    assert.equal(got.scaleLines.length, 0);
  }
  assert.equal(got.overview, has('GOverviewMapControl') ? 1 : 0, 'overview');
  const attribution = { G_NORMAL_MAP: /OpenStreetMap/, G_SATELLITE_MAP: /地理院タイル/, G_HYBRID_MAP: /地理院タイル/ };
  assert.match(got.attribution, attribution[facts.mapType]);
}

// Hosts of the tiles on screen, per layer, with each layer's opacity.
export async function tileLayers(page) {
  await settle(page);
  return page.$$eval('#map > .leaflet-map-pane > .leaflet-tile-pane > .leaflet-layer', (layers) => layers.map((layer) => ({
    hosts: [...new Set([...layer.querySelectorAll('img.leaflet-tile-loaded')].map((i) => new URL(i.src).hostname))],
    opacity: +getComputedStyle(layer).opacity
  })));
}

export const LAYERS_OF_TYPE = [
  [{ hosts: [NORMAL_HOST], opacity: 1 }],
  [{ hosts: [AERIAL_HOST], opacity: 1 }],
  [{ hosts: [AERIAL_HOST], opacity: 1 }, { hosts: [NORMAL_HOST], opacity: 0.5 }]
];

// The page's map type is shown; each button switches to its layers and is shown pressed.
export async function checkMapTypes(page, facts) {
  assert.deepEqual(await tileLayers(page), LAYERS_OF_TYPE[TYPE_INDEX[facts.mapType]]);
  if (!facts.controls.includes('GMapTypeControl')) return;
  for (const i of [1, 2, 0]) {
    await page.locator('.trackalbum-maptype').nth(i).click();
    assert.deepEqual(await tileLayers(page), LAYERS_OF_TYPE[i], `after button ${i}`);
    const pressed = await page.$$eval('.trackalbum-maptype', (bs) => bs.map((b) => b.getAttribute('aria-pressed') === 'true'));
    assert.deepEqual(pressed, [0, 1, 2].map((j) => j === i));
  }
}

// Waits until the element stops moving (the map pans a newly opened bubble into view).
export async function waitStill(page, selector) {
  let last = '';
  for (let i = 0; i < 50; i++) {
    const now = await page.$eval(selector, (e) => JSON.stringify(e.getBoundingClientRect()));
    if (now === last) return;
    last = now;
    await page.waitForTimeout(80);
  }
}

// Clicking each photo marker opens its bubble with the page's markup and the picture loaded,
// neither clipped nor scrolled; the close box closes it.
export async function checkBubbles(page, facts) {
  const markers = page.locator('.leaflet-marker-pane img:not([src$="mm_20_red.png"])');
  assert.equal(await markers.count(), facts.markers.length);
  // Markers come in the page's order.
  for (let i = 0; i < facts.markers.length; i++) {
    const m = facts.markers[i];
    const marker = markers.nth(i);
    // A marker partly covered by a neighbour gets its click delivered directly.
    const topmost = await marker.evaluate((img) => {
      const r = img.getBoundingClientRect();
      return document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 3) === img;
    });
    if (topmost) {
      const box = await marker.boundingBox();
      await marker.click({ position: { x: box.width / 2, y: box.height / 3 } });
    } else {
      await marker.dispatchEvent('click');
    }
    // A bubble just closed fades out for a moment; wait for the new one alone.
    await page.waitForFunction(() => document.querySelectorAll('.leaflet-popup').length === 1 &&
                                     document.querySelector('.leaflet-popup-content .marker'));
    await page.waitForFunction(() => {
      const img = document.querySelector('.leaflet-popup-content img');
      return img && img.complete;
    });
    await waitStill(page, '.leaflet-popup');
    const got = await page.evaluate(() => {
      const content = document.querySelector('.leaflet-popup-content');
      const wrapper = document.querySelector('.leaflet-popup-content-wrapper');
      const img = content.querySelector('img');
      const ir = img.getBoundingClientRect();
      const wr = wrapper.getBoundingClientRect();
      return {
        time: content.querySelector('.time').textContent,
        comment: content.querySelector('.comment').textContent,
        src: img.getAttribute('src'),
        loaded: img.naturalWidth > 0,
        link: img.parentElement.tagName === 'A' ? img.parentElement.getAttribute('target') : null,
        inside: ir.left >= wr.left && ir.right <= wr.right && ir.top >= wr.top && ir.bottom <= wr.bottom,
        scrolls: content.scrollHeight > content.clientHeight + 1 || content.scrollWidth > content.clientWidth + 1 ||
                 wrapper.scrollHeight > wrapper.clientHeight + 1
      };
    });
    assert.deepEqual(got, { time: m.time, comment: m.comment, src: m.picture, loaded: true,
                            link: m.big ? '_blank' : null, inside: true, scrolls: false }, `bubble ${i}`);
    await page.locator('.leaflet-popup-close-button').click();
    await page.waitForFunction(() => !document.querySelector('.leaflet-popup'));
  }
}

// Opens a written page and runs every check that its own statements allow; extra(page, facts)
// adds the checks of one setting. Returns the page's facts.
export async function checkWholePage(browser, file, extra) {
  const facts = pageFacts(readFileSync(file, 'utf8'));
  const opened = await openPage(browser, file);
  const { page } = opened;
  await checkMapSize(page, facts);
  await checkPolylines(page, facts);
  await checkMarkerCount(page, facts);
  await checkViewContainsRoute(page, facts);
  await checkControls(page, facts);
  await checkBubbles(page, facts);
  await checkMapTypes(page, facts);
  if (extra) await extra(page, facts);
  assertNoProblems(opened);
  await opened.context.close();
  return facts;
}
