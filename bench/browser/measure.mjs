// What the browser benchmarks measure on an open page: frames while something runs, a drag
// across the map, zoom steps run to their end, and the JavaScript heap.
import { pathToFileURL } from 'node:url';
import { stubTile, zoomStep } from '../../tests/browser/support.mjs';

export { zoomStep };

// Opens a page with every tile answered by a flat stub; resolves once the frame after the
// load event has been presented, with that time.
export async function openBenchPage(browser, file) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
  await context.route('**/*', (route) => {
    if (route.request().url().startsWith('file:')) return route.continue();
    return route.fulfill({ status: 200, contentType: 'image/png', body: stubTile([236, 230, 214]) });
  });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(pathToFileURL(file).href, { waitUntil: 'load', timeout: 900000 });
  const drawn = await page.evaluate(() => new Promise((resolve) =>
    requestAnimationFrame(() => requestAnimationFrame(() => resolve(performance.now())))));
  if (errors.length) throw new Error(`${file}: ${errors.join('; ')}`);
  return { page, context, drawn };
}

// The heap after a garbage collection, in MB: V8's own and the typed arrays' storage beside it.
export async function heap(page) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('HeapProfiler.collectGarbage');
  const usage = await cdp.send('Runtime.getHeapUsage');
  await cdp.detach();
  return { used: usage.usedSize / 1048576, buffers: (usage.backingStorageSize || 0) / 1048576 };
}

// Frames while fn runs, from the page's own animation frames: the rate and the longest gap.
export async function frames(page, fn) {
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

export async function pan(page) {
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

export const ZOOM_STEPS = ['in', 'in', 'out', 'out'];


// The longest frame of each zoom step: the step's redraw ends its move.
export async function zoomSteps(page) {
  const worst = [];
  for (const step of ZOOM_STEPS) worst.push((await frames(page, () => zoomStep(page, step))).worst);
  return worst;
}
