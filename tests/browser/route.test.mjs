// The route as a user looks at it: grade colours where they fall along the route, and where
// the route crosses itself, the later stretch on top.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { PIXEL_OF, factsOf, launchBrowser, nextFrames, openPage, sawToothRide, writeGpx, writePages, zoomStep } from './support.mjs';
import { checkPolylines, closeChecked, colourCounts, routePicture } from './checks.mjs';

const UP = '#ff0000', DOWN = '#00ff00', FLAT = '#0000ff';
const COLOURS = { UpRed: 255, UpGreen: 0, UpBlue: 0, DownRed: 0, DownGreen: 255, DownBlue: 0,
                  FlatRed: 0, FlatGreen: 0, FlatBlue: 255, Coloring: 1, PathWidth: 5 };

let browser;
before(async () => { browser = await launchBrowser(); });
after(() => browser?.close());

test('each grade colour shows about as much as it has of the route', async () => {
  const w = writePages({ gpx: writeGpx('sawtooth', sawToothRide(4000)), photos: null, compression: 0, set: COLOURS });
  const opened = await openPage(browser, w.pages.route_grade);
  const { facts } = opened;
  assert.ok(facts.polylines.length > 150, `${facts.polylines.length} pieces`);
  // The ride's positions lie evenly apart: a colour's share of the route is its share of the segments.
  const segments = { [UP]: 0, [DOWN]: 0, [FLAT]: 0 };
  for (const p of facts.polylines) segments[p.color] += p.points - 1;
  const counts = await colourCounts(opened.page, [UP, DOWN, FLAT]);
  const shown = counts.reduce((a, b) => a + b, 0), total = segments[UP] + segments[DOWN] + segments[FLAT];
  const shares = [UP, DOWN, FLAT].map((c, i) => ({ colour: c, route: segments[c] / total, shown: counts[i] / shown }));
  assert.ok(shares.every((s) => s.shown >= s.route / 2 && s.shown <= s.route * 2), JSON.stringify(shares));
  await closeChecked(opened);
});

// East along 35.000 climbing; north-east, flat; south along 139.005 descending, across the
// climb; west, flat; east along 34.998 climbing again, across the descent.
function crossingRide() {
  const points = [[35, 139, 100]];
  for (const [to, steps, climb] of [[[35, 139.01], 90, 1], [[35.005, 139.005], 60, 0], [[34.995, 139.005], 110, -1],
                                    [[34.998, 138.998], 70, 0], [[34.998, 139.01], 110, 1]]) {
    const [lat, lng, ele] = points.at(-1);
    for (let i = 1; i <= steps; i++) points.push([lat + (to[0] - lat) * i / steps, lng + (to[1] - lng) * i / steps, ele + climb * i]);
  }
  return points;
}

test('where the route crosses itself the later stretch shows, at each zoom step and back', async () => {
  const w = writePages({ gpx: writeGpx('crossing', crossingRide()), photos: null, compression: 0, set: COLOURS });
  const facts = factsOf(w.pages.route_grade);
  assert.deepEqual(facts.polylines.filter((p) => p.points > 2).map((p) => p.color), [UP, FLAT, DOWN, FLAT, UP]);
  const opened = await openPage(browser, w.pages.route_grade);
  const { page } = opened;
  const first = await routePicture(page);
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
  assert.ok(await routePicture(page) === first, 'zoomed in and out again: another picture');
  await closeChecked(opened);
  // On a screen of two device pixels to a CSS pixel the route lies where it does on others.
  const sharp = await openPage(browser, w.pages.route_grade, { scale: 2 });
  assert.ok(await sharp.page.evaluate(() => { const c = document.querySelector('#map canvas.trackalbum-route'); return c.width === 2 * c.getBoundingClientRect().width; }), 'canvas not two device pixels a CSS pixel');
  await checkPolylines(sharp.page, facts);
  await closeChecked(sharp);
});
