// Where the time of a zoom step goes: V8's sampling profiler over the four zoom steps of the
// benchmark on one written page, summed by function (self time), with garbage collection and
// the browser's own work apart, and the longest frame of each step.
//   node bench/browser/profile_zoom.mjs PAGE.html [TOP]
import { launchBrowser } from '../../tests/browser/support.mjs';
import { ZOOM_STEPS, frames, openBenchPage, zoomStep } from './measure.mjs';

const [file, top = '25'] = process.argv.slice(2);
if (!file) {
  console.error('usage: node bench/browser/profile_zoom.mjs PAGE.html [TOP]');
  process.exit(2);
}

// Self time per function from a CPU profile, in ms.
function selfTimes(profile) {
  const byId = new Map(profile.nodes.map((n) => [n.id, n]));
  const ms = new Map();
  for (let i = 0; i < profile.samples.length; i++) {
    const f = byId.get(profile.samples[i]).callFrame;
    const where = f.url ? `${f.url.split('/').pop().split('?')[0]}:${f.lineNumber + 1}` : '';
    const key = `${f.functionName || '(anonymous)'} ${where}`.trim();
    ms.set(key, (ms.get(key) || 0) + profile.timeDeltas[i] / 1000);
  }
  return [...ms].sort((a, b) => b[1] - a[1]);
}

const browser = await launchBrowser();
try {
  const { page, context } = await openBenchPage(browser, file);
  const cdp = await context.newCDPSession(page);
  await cdp.send('Profiler.enable');
  await cdp.send('Profiler.setSamplingInterval', { interval: 200 });
  await cdp.send('Profiler.start');
  const worst = [];
  for (const step of ZOOM_STEPS) worst.push((await frames(page, () => zoomStep(page, step))).worst);
  const { profile } = await cdp.send('Profiler.stop');
  const times = selfTimes(profile);
  const total = times.reduce((s, [, t]) => s + t, 0);
  console.log(`worst frame per step, ms: ${worst.map((w) => w.toFixed(0)).join(' ')}`);
  console.log(`sampled ${total.toFixed(0)} ms; self time by function:`);
  for (const [name, t] of times.slice(0, Number(top))) console.log(`${t.toFixed(1).padStart(9)}  ${name}`);
  await context.close();
} finally {
  await browser.close();
}
