// Map runtime benchmark in headless chromium, on rides from the bench generator written with
// compression 0. For each ride's profile page (and the route page):
//   route drawn: the load event done and the route painted, against the same page with a
//     do-nothing stand-in of the map functions (standin.js: the page's own script cost);
//   pan: frames per second while a scripted drag pans the map;
//   zoom: the longest frame while each of four zoom steps runs to its end;
//   heap: the page's JavaScript heap after a garbage collection, runtime and stand-in.
// Pan and zoom are measured on each of the runtime's runs; the figures are medians.
//   node bench/browser/route_drawn.mjs GENERATOR [POINTS...]   (default 500 100000 1000000)
import { spawnSync } from 'node:child_process';
import { copyFileSync, existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchBrowser, writePages } from '../../tests/browser/support.mjs';
import { heap, openBenchPage, pan, zoomSteps } from './measure.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const [generator, ...rest] = process.argv.slice(2);
const sizes = rest.map(Number).filter((n) => n > 1);
const RUNS = Number(process.env.BENCH_RUNS) || 3;

const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

// The generator's ride of n points in a folder of its own, removed when the bench ends.
function ride(n) {
  const dir = mkdtempSync(join(tmpdir(), 'ta-bench-'));
  process.on('exit', () => rmSync(dir, { recursive: true, force: true }));
  const gpx = join(dir, `ride${n}.gpx`);
  const r = spawnSync(generator, [gpx, String(n)], { stdio: 'inherit' });
  if (r.status !== 0 || !existsSync(gpx)) throw new Error(`${generator} failed`);
  return gpx;
}

const browser = await launchBrowser();
try {
  console.log(`medians of ${RUNS} runs; heap: V8's own + typed arrays' storage`);
  console.log('points   page          stand-in ms  runtime ms  ratio   pan fps  zoom worst ms (4 steps)   heap MB runtime / stand-in');
  for (const n of sizes.length ? sizes : [500, 100000, 1000000]) {
    const w = writePages({ gpx: ride(n), photos: null, compression: 0 });
    const standin = join(w.html, 'standin');
    mkdirSync(standin, { recursive: true });
    writeFileSync(join(standin, 'maps'), readFileSync(join(here, 'standin.js')));
    for (const kind of ['route_grade', 'route']) {
      copyFileSync(w.pages[kind], join(standin, `${kind}.html`));
      const times = { standin: [], runtime: [] };
      const fps = [], zooms = [];
      let heaps = {};
      for (let r = 0; r < RUNS; r++) {
        for (const which of ['standin', 'runtime']) {
          const m = await openBenchPage(browser, which === 'standin' ? join(standin, `${kind}.html`) : w.pages[kind]);
          times[which].push(m.drawn);
          if (r === 0) heaps[which] = await heap(m.page);
          if (which === 'runtime') {
            fps.push((await pan(m.page)).fps);
            zooms.push(await zoomSteps(m.page));
          }
          await m.context.close();
        }
      }
      const s = median(times.standin), t = median(times.runtime);
      const steps = zooms[0].map((_, k) => median(zooms.map((z) => z[k])));
      const mb = (h) => `${h.used.toFixed(0)}+${h.buffers.toFixed(0)}`;
      console.log(`${String(n).padEnd(8)} ${kind.padEnd(12)} ${s.toFixed(0).padStart(12)} ${t.toFixed(0).padStart(11)} ` +
                  `${(t / s).toFixed(2).padStart(6)} ${median(fps).toFixed(0).padStart(9)}  ` +
                  `${steps.map((z) => z.toFixed(0)).join(' ').padEnd(24)} ${mb(heaps.runtime).padStart(8)} / ${mb(heaps.standin)}`);
    }
  }
} finally {
  await browser.close();
}
