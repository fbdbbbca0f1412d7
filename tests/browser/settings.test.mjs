// Each setting that changes the map, written by the real program and opened in chromium.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launchBrowser, openPage, settle, writePages } from './support.mjs';
import * as check from './checks.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(() => browser?.close());

const COMBINATIONS = [
  { name: 'small control, satellite, English, pixel size, overview only',
    set: { Controller: 2, MapTypeBtn: 1, MapType: 1, Scale: 0, Overview: 1, Japanese: 0,
           DisplayType: 1, DisplayWidth: 640, DisplayHeight: 480, ProfWidth: 700, ProfHeight: 500 } },
  { name: 'large control, hybrid, Japanese, percent size, scale only, original-size photos',
    set: { Controller: 1, MapTypeBtn: 1, MapType: 2, Scale: 1, Overview: 0, Japanese: 1,
           DisplayType: 0, DisplayWidth: 80, DisplayHeight: 70 },
    keepOriginalSize: true },
  { name: 'no controls at all, English scale',
    set: { Controller: 0, MapTypeBtn: 0, MapType: 0, Scale: 1, Overview: 0, Japanese: 0 } }
];

for (const c of COMBINATIONS) {
  test(c.name, async () => {
    const w = writePages({ set: c.set, keepOriginalSize: !!c.keepOriginalSize });
    const facts = await check.checkWholePage(browser, w.pages.picture_route);
    assert.equal(facts.markers.every((m) => m.big), !!c.keepOriginalSize);
    await check.checkWholePage(browser, w.pages.picture_route_grade);
  });
}

test('the navigation controls, the zoom bar and the overview work', async () => {
  const w = writePages({ set: { Controller: 1, MapTypeBtn: 1, Overview: 1, Scale: 1 } });
  const opened = await openPage(browser, w.pages.route);
  const { page } = opened;
  const view = () => page.evaluate(() => ({ z: map.getZoom(), lat: map.getCenter().lat(), lng: map.getCenter().lng() }));
  const start = await view();
  for (const [button, moved] of [['zoom-out', (s) => map.getZoom() === s.z - 1], ['zoom-in', (s) => map.getZoom() === s.z],
                                 ['pan-up', (s) => map.getCenter().lat() > s.lat + 1e-6],
                                 ['pan-right', (s) => map.getCenter().lng() > s.lng + 1e-6]]) {
    await page.click(`.trackalbum-${button}`);
    await page.waitForFunction(moved, start);
  }

  // One step of the bar per zoom level, the highest at the top.
  const bar = await page.locator('.trackalbum-zoombar').boundingBox();
  const maxZoom = 18;  // both GSI services
  assert.equal(Math.round(bar.height), (maxZoom + 1) * 8 + 2);
  await page.mouse.click(bar.x + bar.width / 2, bar.y + 1 + (maxZoom - 3) * 8 + 4);
  await page.waitForFunction(() => map.getZoom() === 3);
  const knob = await page.locator('.trackalbum-zoombar-knob').boundingBox();
  await page.mouse.move(knob.x + knob.width / 2, knob.y + 4);
  await page.mouse.down();
  await page.mouse.move(knob.x + knob.width / 2, knob.y + 4 - 5 * 8, { steps: 4 });
  await page.mouse.up();
  await page.waitForFunction(() => map.getZoom() === 8);

  // The overview shows the view's rectangle and folds away.
  await settle(page);
  const rect = page.locator('.leaflet-control-minimap path');
  assert.ok(await rect.count() >= 1);
  const before = await page.locator('.leaflet-control-minimap').boundingBox();
  // Dragging the overview pans the map.
  const centre = await view();
  await page.mouse.move(before.x + 75, before.y + 75);
  await page.mouse.down();
  await page.mouse.move(before.x + 45, before.y + 95, { steps: 5 });
  await page.mouse.up();
  await page.waitForFunction((c) => map.getCenter().lng() > c.lng + 1e-6 && map.getCenter().lat() > c.lat + 1e-6, centre);
  await page.click('.leaflet-control-minimap-toggle-display');
  await page.waitForFunction((w) => document.querySelector('.leaflet-control-minimap').getBoundingClientRect().width < w / 2,
                             before.width);
  await check.closeChecked(opened);
});
