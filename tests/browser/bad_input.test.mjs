// Odd tracks, failing pictures, odd tile templates and markup in comments: each page still
// works without a script error.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { AERIAL_SERVICE, NORMAL_SERVICE, factsOf, launchBrowser, nextFrames, openPage, sawToothRide, settle, writeGpx, writePages, zoomStep } from './support.mjs';
import * as check from './checks.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(() => browser?.close());

// Opens a page and checks what every page must show, whatever its input.
async function openAndCheck(file) {
  const opened = await openPage(browser, file);
  await check.checkPolylines(opened.page, opened.facts);
  await check.checkMarkerCount(opened.page, opened.facts);
  await check.checkViewContainsRoute(opened.page, opened.facts);
  check.assertNoProblems(opened);
  return opened;
}

test('a route of one point shows it at the highest zoom', async () => {
  const w = writePages({ gpx: writeGpx('one', [[35.6, 139.7, 10]]), photos: null });
  for (const kind of ['route', 'route_grade']) {
    const { page, context } = await openAndCheck(w.pages[kind]);
    assert.equal(await page.evaluate(() => map.getZoom()), 18);
    await context.close();
  }
});

test('a track across the antimeridian is drawn and in view', async () => {
  const points = Array.from({ length: 200 }, (_, i) => {
    const lon = 179.95 + i * 0.0005;
    return [-16.5 + i * 0.0005, lon > 180 ? lon - 360 : lon, 10 + (i % 20)];
  });
  const w = writePages({ gpx: writeGpx('dateline', points), photos: null });
  await (await openAndCheck(w.pages.route_grade)).context.close();
});

test('a route of 100,000 points loads and draws every grade-coloured piece', async () => {
  const w = writePages({ gpx: writeGpx('long', sawToothRide(100000)), photos: null, compression: 0 });
  const { facts, context } = await openAndCheck(w.pages.route_grade);
  assert.ok(facts.polylines.length > 1000);
  assert.equal(facts.polylines.reduce((n, p) => n + p.points, 0), 100000 + facts.polylines.length - 1);
  await context.close();
});

test('a picture that fails to load leaves a working bubble', async () => {
  const w = writePages();
  const facts = factsOf(w.pages.picture_route);
  writeFileSync(join(w.html, facts.markers[0].picture), 'not a picture');
  const opened = await openPage(browser, w.pages.picture_route);
  const { page } = opened;
  await page.locator('.leaflet-marker-pane img').first().click();
  await page.locator('.leaflet-popup-content .marker .time').waitFor();
  await page.waitForFunction(() => document.querySelector('.leaflet-popup-content img').complete);
  assert.equal(await page.locator('.leaflet-popup-content .time').textContent(), facts.markers[0].time);
  // A second marker still opens its bubble, picture and all.
  await page.click('.leaflet-popup-close-button');
  await page.locator('.leaflet-marker-pane img').nth(1).dispatchEvent('click');
  await page.waitForFunction(() => document.querySelector('.leaflet-popup-content img')?.naturalWidth > 0);
  await check.closeChecked(opened);
});

test('markup in a photo comment leaves the page and its markers working', async () => {
  const w = writePages({ comments: { 'IMG_0002.jpg': '<!--<script>', 'IMG_0003.jpg': '<b>a & b</b>' } });
  for (const kind of ['picture', 'picture_route_grade']) {
    const opened = await openPage(browser, w.pages[kind]);
    const { facts } = opened;
    assert.deepEqual(facts.markers.slice(0, 2).map((m) => m.comment), ['<!--<script>', '<b>a & b</b>']);
    await check.checkMarkerCount(opened.page, facts);
    // The page's markup goes into the bubble as markup.
    await opened.page.locator('.leaflet-marker-pane img:not([src$="mm_20_red.png"])').nth(1).dispatchEvent('click');
    assert.equal(await opened.page.locator('.leaflet-popup-content .comment b').textContent(), 'a & b');
    await check.closeChecked(opened);
  }
});

// Tile templates: {key} with a key, an overlay for the hybrid type, a lower highest zoom. Each
// one's requests go where the template says.
const TEMPLATES = [
  { name: '{key} with the key', set: { APIKey: 'k3y', NormalTileUrl: 'https://tiles.example.org/{z}/{x}/{y}.png?key={key}' },
    want: /^https:\/\/tiles\.example\.org\/\d+\/\d+\/\d+\.png\?key=k3y$/ },
  { name: 'an overlay template for the hybrid type',
    set: { MapType: 2, OverlayTileUrl: 'https://tiles.example.org/names/{z}/{x}/{y}.png', OverlayTileAttribution: 'Names &amp; labels' },
    layers: [{ hosts: [AERIAL_SERVICE], opacity: 1 }, { hosts: ['tiles.example.org'], opacity: 1 }],
    attribution: /Names & labels/ },
  { name: 'a lower highest zoom', set: { MapType: 1, AerialTileMaxZoom: 15 }, maxZoom: 15 }
];

for (const t of TEMPLATES) {
  test(`tiles: ${t.name}`, async () => {
    const { page, context, requests } = await openAndCheck(writePages({ set: t.set, photos: null }).pages.route);
    const tiles = requests.filter((u) => u.startsWith('http'));
    assert.ok(tiles.length > 0);
    if (t.want) assert.deepEqual(tiles.filter((u) => !t.want.test(u)), []);
    if (t.layers) assert.deepEqual(await check.tileLayers(page), t.layers);
    if (t.attribution) assert.match(await page.textContent('.leaflet-control-attribution'), t.attribution);
    if (t.maxZoom) assert.equal(await page.evaluate(() => map.getZoom()), t.maxZoom);
    await context.close();
  });
}

test('lines of no point, one point or one place, and widths of 0 and 1,000, leave a working page', async () => {
  for (const PathWidth of [0, 1000]) {
    const { context, facts } = await openAndCheck(writePages({ photos: null, set: { PathWidth } }).pages.route);
    assert.equal(facts.polylines[0].width, PathWidth);
    await context.close();
  }
  const opened = await openPage(browser, writePages({ photos: null }).pages.route);
  const { page } = opened;
  const before = await check.routePicture(page);
  await page.evaluate(() => {
    const c = map.getCenter();
    map.addOverlay(new GPolyline([], '#ff00ff', 4));
    map.addOverlay(new GPolyline([c], '#ff00ff', 4));
    map.addOverlay(new GPolyline([c, new GLatLng('x', 'y'), c, c], '#ff00ff', 9));
  });
  await settle(page);
  // The last line stands still: its dot shows in its colour at the centre.
  const el = await page.locator('#map').boundingBox();
  const counts = await check.colourCounts(page, ['#ff00ff'], { x: el.width / 2, y: el.height / 2 });
  assert.deepEqual(counts, [9]);
  assert.notEqual(await check.routePicture(page), before);
  await check.closeChecked(opened);
});

test('a tile service offline, answering with errors or never answering leaves a working page', async () => {
  const file = writePages({ photos: null }).pages.route_grade;
  const waiting = [];
  const services = [
    ['offline', { offline: true }],
    ['errors', { tiles: { [NORMAL_SERVICE]: (route) => route.fulfill({ status: 503, contentType: 'text/plain', body: 'busy' }) } }],
    ['silence', { tiles: { [NORMAL_SERVICE]: (route) => { waiting.push(route); } } }]
  ];
  for (const [name, options] of services) {
    const opened = await openPage(browser, file, { ...options, settleTiles: name !== 'silence' });
    const { page, facts } = opened;
    await check.checkPolylines(page, facts);
    if (name !== 'silence') {
      // Failed tiles show nothing: no broken-image icons, no retries.
      const tiles = await page.$$eval('#map .leaflet-tile-pane img', (imgs) => imgs.map((i) => i.src.slice(0, 5)));
      assert.ok(tiles.length > 0 && tiles.every((src) => src === 'data:'), `${name}: ${tiles}`);
      const requested = () => opened.requests.filter((u) => u.startsWith('http')).length;
      const once = requested();
      await settle(page);
      assert.equal(requested(), once, `${name}: tiles retried`);
    }
    const zoom = await page.evaluate(() => map.getZoom());
    await zoomStep(page, 'out');
    await nextFrames(page);
    assert.equal(await page.evaluate(() => map.getZoom()), zoom - 1);
    await check.checkPolylines(page, facts);
    // The browser's own line for each refused tile is expected; nothing else.
    opened.problems = opened.problems.filter((p) => !/status of 503/.test(p));
    await check.closeChecked(opened);
  }
  assert.ok(waiting.length > 0, 'no tile request left waiting');
});
