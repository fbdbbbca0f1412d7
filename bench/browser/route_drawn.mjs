// Map runtime benchmark in headless chromium, on rides from the bench generator written with
// compression 0. For each ride's profile page (and the route page):
//   route drawn: the load event done and the route painted, against the same page with a
//     do-nothing stand-in of the map functions (standin.js: the page's own script cost);
//   pan: frames per second while a scripted drag pans the map;
//   zoom: the longest frame while each of four zoom steps runs to its end;
//   heap: the page's JavaScript heap after a garbage collection, runtime and stand-in.
//   node bench/browser/route_drawn.mjs GENERATOR [POINTS...]   (default 500 100000 1000000)
import { spawnSync } from 'node:child_process';
import { copyFileSync, existsSync, mkdirSync, mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { launchBrowser, stubTile, writePages } from '../../tests/browser/support.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const [generator, ...rest] = process.argv.slice(2);
const sizes = rest.map(Number).filter((n) => n > 1);
const RUNS = 3;

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

function ride(n) {
  const dir = mkdtempSync(join(tmpdir(), 'ta-bench-'));
  const gpx = join(dir, `ride${n}.gpx`);
  const r = spawnSync(generator, [gpx, String(n)], { stdio: 'inherit' });
  if (r.status !== 0 || !existsSync(gpx)) throw new Error(`${generator} failed`);
  return gpx;
}

async function open(browser, file) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
  await context.route('**/*', (route) => {
    if (route.request().url().startsWith('file:')) return route.continue();
    return route.fulfill({ status: 200, contentType: 'image/png', body: stubTile([236, 230, 214]) });
  });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(pathToFileURL(file).href, { waitUntil: 'load', timeout: 900000 });
  // Two frames after load: the one that paints the route has been presented.
  const drawn = await page.evaluate(() => new Promise((resolve) =>
    requestAnimationFrame(() => requestAnimationFrame(() => resolve(performance.now())))));
  if (errors.length) throw new Error(`${file}: ${errors.join('; ')}`);
  return { page, context, drawn };
}

async function heap(page) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('HeapProfiler.collectGarbage');
  const { usedSize } = await cdp.send('Runtime.getHeapUsage');
  return usedSize / 1048576;
}

// Frames while fn runs, from the page's own animation frames: the rate and the longest gap.
async function frames(page, fn) {
  await page.evaluate(() => {
    window.__frames = [performance.now()];
    window.__stopFrames = false;
    const tick = (t) => { __frames.push(t); if (!window.__stopFrames) requestAnimationFrame(tick); };
    requestAnimationFrame(tick);
  });
  await fn();
  const times = await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => {
    __stopFrames = true;
    resolve([...__frames, performance.now()]);
  })));
  const gaps = times.slice(1).map((t, i) => t - times[i]);
  return { fps: (times.length - 2) / ((times.at(-1) - times[0]) / 1000), worst: Math.max(...gaps) };
}

async function pan(page) {
  const box = await page.locator('#map').boundingBox();
  const cx = box.x + box.width / 2, cy = box.y + box.height / 2;
  return frames(page, async () => {
    await page.mouse.move(cx, cy);
    await page.mouse.down();
    for (let i = 1; i <= 60; i++) await page.mouse.move(cx - i * 6, cy - i * 3);
    for (let i = 59; i >= 0; i--) await page.mouse.move(cx - i * 6, cy - i * 3);
    await page.mouse.up();
  });
}

// Each step waits for the view's move to end, so its redraw falls inside the measured frames.
async function zoomSteps(page) {
  const worst = [];
  for (const step of ['in', 'in', 'out', 'out']) {
    const f = await frames(page, () => page.evaluate((s) => new Promise((resolve) => {
      const h = GEvent.addListener(map, 'moveend', () => { GEvent.removeListener(h); resolve(); });
      if (s === 'in') map.zoomIn(); else map.zoomOut();
    }), step));
    worst.push(f.worst);
  }
  return worst;
}

const browser = await launchBrowser();
try {
  console.log('points   page          stand-in ms  runtime ms  ratio   pan fps  zoom worst ms (4 steps)   heap MB runtime / stand-in');
  for (const n of sizes.length ? sizes : [500, 100000, 1000000]) {
    const w = writePages({ gpx: ride(n), photos: null, compression: 0 });
    const standin = join(w.html, 'standin');
    mkdirSync(standin, { recursive: true });
    writeFileSync(join(standin, 'maps'), readFileSync(join(here, 'standin.js')));
    for (const kind of ['route_grade', 'route']) {
      copyFileSync(w.pages[kind], join(standin, `${kind}.html`));
      const times = { standin: [], runtime: [] };
      let last, standinHeap = 0;
      for (let r = 0; r < RUNS; r++) {
        for (const which of ['standin', 'runtime']) {
          const m = await open(browser, which === 'standin' ? join(standin, `${kind}.html`) : w.pages[kind]);
          times[which].push(m.drawn);
          if (which === 'standin' && r === 0) standinHeap = await heap(m.page);
          if (which === 'runtime' && r === RUNS - 1) last = m;
          else await m.context.close();
        }
      }
      const runtimeHeap = await heap(last.page);
      const panned = await pan(last.page);
      const zoomed = await zoomSteps(last.page);
      await last.context.close();
      const s = median(times.standin), t = median(times.runtime);
      console.log(`${String(n).padEnd(8)} ${kind.padEnd(12)} ${s.toFixed(0).padStart(12)} ${t.toFixed(0).padStart(11)} ` +
                  `${(t / s).toFixed(2).padStart(6)} ${panned.fps.toFixed(0).padStart(9)}  ` +
                  `${zoomed.map((z) => z.toFixed(0)).join(' ').padEnd(24)} ${runtimeHeap.toFixed(0).padStart(8)} / ${standinHeap.toFixed(0)}`);
    }
  }
} finally {
  await browser.close();
}
