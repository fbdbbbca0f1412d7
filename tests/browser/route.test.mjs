// The route as a user looks at it: grade colours where they fall along the route, and where
// the route crosses itself, the later stretch on top.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { PIXEL_OF, launchBrowser, nextFrames, openPage, pageFacts, writeGpx, writePages, zoomStep } from './support.mjs';
import { assertNoProblems, checkPolylines, colourCounts } from './checks.mjs';

const UP = '#ff0000', DOWN = '#00ff00', FLAT = '#0000ff';
const COLOURS = { UpRed: 255, UpGreen: 0, UpBlue: 0, DownRed: 0, DownGreen: 255, DownBlue: 0,
                  FlatRed: 0, FlatGreen: 0, FlatBlue: 255, Coloring: 1, PathWidth: 5 };

let browser;
before(async () => { browser = await launchBrowser(); });
after(() => browser?.close());

function metres([lat1, lng1], [lat2, lng2]) {
  const r = Math.PI / 180;
  const x = (lng2 - lng1) * r * Math.cos((lat1 + lat2) / 2 * r);
  return 6371000 * Math.hypot(x, (lat2 - lat1) * r);
}

// A 20 km ride wandering within a few kilometres, 5 m a second, whose elevation climbs for
// 25 s, falls for 21 s and stays flat for 14 s, over and over: short grade pieces that cross
// and run along each other at the zoom that shows the whole ride.
function sawToothRide() {
  const points = [];
  let lat = 35.6, lng = 139.2, heading = 0.3, ele = 300, state = 99;
  for (let i = 0; i < 4000; i++) {
    state = (state * 1664525 + 1013904223) >>> 0;
    heading += (state / 2 ** 32 - 0.5) * 0.5;
    lat += 5 * Math.cos(heading) / 111320;
    lng += 5 * Math.sin(heading) / 90000;
    const phase = i % 60;
    ele += phase < 25 ? 0.6 : phase < 46 ? -0.6 : 0;
    points.push([lat, lng, ele]);
  }
  return points;
}

test('each grade colour shows about as much as it has of the route', async () => {
  const w = writePages({ gpx: writeGpx('sawtooth', sawToothRide()), photos: null, compression: 0, set: COLOURS });
  const facts = pageFacts(readFileSync(w.pages.route_grade, 'utf8'));
  const length = { [UP]: 0, [DOWN]: 0, [FLAT]: 0 };
  let offset = 0;
  for (const p of facts.polylines) {
    for (let i = offset + 1; i < offset + p.points; i++) length[p.color] += metres(facts.route[i - 1], facts.route[i]);
    offset += p.points;
  }
  const total = length[UP] + length[DOWN] + length[FLAT];
  assert.ok(facts.polylines.length > 150, `${facts.polylines.length} pieces`);
  const opened = await openPage(browser, w.pages.route_grade);
  const counts = await colourCounts(opened.page, [UP, DOWN, FLAT]);
  const shown = counts.reduce((a, b) => a + b, 0);
  const shares = [UP, DOWN, FLAT].map((c, i) => ({ colour: c, route: length[c] / total, shown: counts[i] / shown }));
  assert.ok(shares.every((s) => s.shown >= s.route / 2 && s.shown <= s.route * 2), JSON.stringify(shares));
  await checkPolylines(opened.page, facts);
  assertNoProblems(opened);
  await opened.context.close();
});

// East along 35.000 climbing; north-east, flat; south along 139.005 descending, across the
// climb; west, flat; east along 34.998 climbing again, across the descent.
function crossingRide() {
  const points = [];
  let ele = 100;
  const leg = (from, to, steps, climb) => {
    for (let i = 1; i <= steps; i++) {
      ele += climb;
      points.push([from[0] + (to[0] - from[0]) * i / steps, from[1] + (to[1] - from[1]) * i / steps, ele]);
    }
  };
  points.push([35, 139, ele]);
  leg([35, 139], [35, 139.01], 90, 1);
  leg([35, 139.01], [35.005, 139.005], 60, 0);
  leg([35.005, 139.005], [34.995, 139.005], 110, -1);
  leg([34.995, 139.005], [34.998, 138.998], 70, 0);
  leg([34.998, 138.998], [34.998, 139.01], 110, 1);
  return points;
}

// The route's canvas as drawn, for comparing two pictures of one view.
const routePixels = (page) => page.evaluate(() => {
  const canvas = document.querySelector('#map canvas.trackalbum-route');
  return Array.from(canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data).join();
});

test('where the route crosses itself the later stretch shows, at each zoom step and back', async () => {
  const w = writePages({ gpx: writeGpx('crossing', crossingRide()), photos: null, compression: 0, set: COLOURS });
  const facts = pageFacts(readFileSync(w.pages.route_grade, 'utf8'));
  assert.deepEqual(facts.polylines.filter((p) => p.points > 2).map((p) => p.color), [UP, FLAT, DOWN, FLAT, UP]);
  const opened = await openPage(browser, w.pages.route_grade);
  const { page } = opened;
  const first = await routePixels(page);
  for (const step of [null, 'in', 'in', 'out', 'out']) {
    if (step) await zoomStep(page, step);
    await nextFrames(page);
    await checkPolylines(page, facts, { inView: true });
    const size = await page.evaluate(() => map.getSize());
    let seen = 0;
    for (const [lat, lng, colour] of [[35, 139.005, DOWN], [34.998, 139.005, UP]]) {
      const at = await page.evaluate(([f, lat, lng]) => eval(f)(lat, lng), [PIXEL_OF, lat, lng]);
      if (!(at.x >= 2 && at.y >= 2 && at.x < size.width - 2 && at.y < size.height - 2)) continue;
      const counts = await colourCounts(page, [UP, DOWN, FLAT], at);
      assert.deepEqual(counts, [UP, DOWN, FLAT].map((c) => (c === colour ? 9 : 0)), `at ${lat}, ${lng} after ${step}`);
      seen++;
    }
    assert.ok(seen > 0, `no crossing in view after ${step}`);
  }
  assert.ok(await routePixels(page) === first, 'zoomed in and out again: another picture');
  assertNoProblems(opened);
  await opened.context.close();
  // On a screen of two device pixels to a CSS pixel the route lies where it does on others.
  const sharp = await openPage(browser, w.pages.route_grade, { scale: 2 });
  assert.ok(await sharp.page.evaluate(() => { const c = document.querySelector('#map canvas.trackalbum-route'); return c.width === 2 * c.getBoundingClientRect().width; }), 'canvas not two device pixels a CSS pixel');
  await checkPolylines(sharp.page, facts);
  assertNoProblems(sharp);
  await sharp.context.close();
});
