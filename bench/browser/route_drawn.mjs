// "Route drawn" benchmark of the map runtime: the route page and the profile page of a long
// track written with compression 0 are opened in headless chromium, once with the runtime Apply
// writes and once with a do-nothing stand-in of the map functions (standin.js: the page's own
// script cost). Route drawn = the load event done and the route painted. Then frames per
// second while a scripted drag pans the runtime's map and the zoom buttons zoom it.
//   node bench/browser/route_drawn.mjs [POINTS...]   (default 100000 1000000)
import { copyFileSync, mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { launchBrowser, stubTile, windingTrack, writeGpx, writePages } from '../../tests/browser/support.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const sizes = process.argv.slice(2).map(Number).filter((n) => n > 1);
const RUNS = 5;

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

async function routeDrawn(browser, file) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
  await context.route('**/*', (route) => {
    const url = route.request().url();
    if (url.startsWith('file:')) return route.continue();
    return route.fulfill({ status: 200, contentType: 'image/png', body: stubTile([236, 230, 214]) });
  });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(pathToFileURL(file).href, { waitUntil: 'load', timeout: 600000 });
  // Two frames after load: the one that paints the route has been presented.
  const ms = await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() =>
    requestAnimationFrame(() => resolve({
      drawn: performance.now(),
      load: performance.getEntriesByType('navigation')[0].loadEventEnd,
      paths: document.querySelectorAll('path.trackalbum-polyline').length
    })))));
  if (errors.length) throw new Error(`${file}: ${errors.join('; ')}`);
  return { page, context, ...ms };
}

// Frames per second while fn runs, from the page's own animation frames, and the longest
// time without a frame (the window's ends count, so a frozen page shows as such).
async function fps(page, fn) {
  await page.evaluate(() => {
    window.__frames = [performance.now()];
    const tick = (t) => { __frames.push(t); if (!window.__stopFrames) requestAnimationFrame(tick); };
    window.__stopFrames = false;
    requestAnimationFrame(tick);
  });
  await fn();
  const frames = await page.evaluate(() => { __stopFrames = true; return [...__frames, performance.now()]; });
  const gaps = frames.slice(1).map((t, i) => t - frames[i]);
  const seconds = (frames.at(-1) - frames[0]) / 1000;
  return { fps: (frames.length - 2) / seconds, worst: Math.max(...gaps) };
}

async function panAndZoom(page) {
  const box = await page.locator('#map').boundingBox();
  const cx = box.x + box.width / 2;
  const cy = box.y + box.height / 2;
  const pan = await fps(page, async () => {
    await page.mouse.move(cx, cy);
    await page.mouse.down();
    for (let i = 1; i <= 60; i++) await page.mouse.move(cx - i * 6, cy - i * 3);
    for (let i = 59; i >= 0; i--) await page.mouse.move(cx - i * 6, cy - i * 3);
    await page.mouse.up();
  });
  const zoom = await fps(page, async () => {
    for (const button of ['in', 'in', 'out', 'out']) {
      await page.evaluate((b) => b === 'in' ? map.zoomIn() : map.zoomOut(), button);
      await page.waitForTimeout(400);
    }
  });
  return { pan, zoom };
}

const browser = await launchBrowser();
try {
  console.log('points     page         stand-in ms  runtime ms  ratio  pieces  pan fps (worst ms)  zoom fps (worst ms)');
  for (const n of sizes.length ? sizes : [100000, 1000000]) {
    const w = writePages({ gpx: writeGpx(`bench${n}`, windingTrack(n)), photos: null, compression: 0 });
    const standin = join(w.html, 'standin');
    mkdirSync(standin, { recursive: true });
    writeFileSync(join(standin, 'maps'), readFileSync(join(here, 'standin.js')));
    for (const kind of ['route', 'route_grade']) {
      copyFileSync(w.pages[kind], join(standin, `${kind}.html`));
      const times = { standin: [], runtime: [] };
      let last;
      for (let r = 0; r < RUNS; r++) {
        for (const which of ['standin', 'runtime']) {
          const m = await routeDrawn(browser, which === 'standin' ? join(standin, `${kind}.html`) : w.pages[kind]);
          times[which].push(m.drawn);
          if (which === 'runtime' && r === RUNS - 1) last = m;
          else await m.context.close();
        }
      }
      const motion = await panAndZoom(last.page);
      await last.context.close();
      const s = median(times.standin);
      const t = median(times.runtime);
      console.log(`${String(n).padEnd(10)} ${kind.padEnd(12)} ${s.toFixed(0).padStart(11)} ${t.toFixed(0).padStart(11)} ` +
                  `${(t / s).toFixed(2).padStart(6)} ${String(last.paths).padStart(7)} ` +
                  `${motion.pan.fps.toFixed(0).padStart(8)} (${motion.pan.worst.toFixed(0)})`.padEnd(20) +
                  `${motion.zoom.fps.toFixed(0).padStart(10)} (${motion.zoom.worst.toFixed(0)})`);
    }
  }
} finally {
  await browser.close();
}
