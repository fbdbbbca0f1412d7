// The profile page's player drives the runtime's marker and view: play, stop, step, head,
// tail and scroll, checked against the page's own positions.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { launchBrowser, openPage, PIXEL_OF, writePages } from './support.mjs';
import { assertNoProblems } from './checks.mjs';

let browser;
let opened;
let facts;
before(async () => {
  browser = await launchBrowser();
  opened = await openPage(browser, writePages().pages.picture_route_grade);
  ({ facts } = opened);
  // Every move of the icon is recorded with how far its anchor lies from where ps[pos] is.
  await opened.page.evaluate((pixelOf) => {
    const f = eval(pixelOf);
    window.__iconOff = (p) => {
      const r = document.querySelector('.leaflet-marker-pane img[src$="mm_20_red.png"]').getBoundingClientRect();
      const m = document.getElementById('map').getBoundingClientRect();
      const want = f(p.lat(), p.lng());
      return Math.hypot(r.left - m.left + 6 - want.x, r.top - m.top + 20 - want.y);
    };
    window.__moves = [];
    const setPoint = bike.setPoint;
    bike.setPoint = function (p) {
      setPoint.call(this, p);
      __moves.push({ pos, off: __iconOff(p) });
    };
  }, PIXEL_OF);
});
after(async () => {
  assertNoProblems(opened);
  await browser?.close();
});

function elapsed(pos) {
  const t = pos * facts.step;
  const d = (n) => String(n).padStart(2, '0');
  return `[経過時間：${d(Math.floor(t / 3600))}:${d(Math.floor(t / 60) % 60)}:${d(t % 60)}]`;
}

const state = () => opened.page.evaluate(() => ({
  pos,
  play: document.player.play.value,
  disabled: ['head', 'back', 'forward', 'tail'].map((n) => document.player[n].disabled)
    .concat([...document.player.speed].map((r) => r.disabled)),
  elapse: document.getElementById('elapse').innerText,
  moves: __moves.splice(0)
}));

test('the icon starts at the first position', async () => {
  const at = await opened.page.evaluate(() => __iconOff(ps[0]));
  assert.ok(at < 1.5, `icon ${at} px from ps[0]`);
  assert.ok(facts.ps.length > 100);
});

test('play runs to the end with the buttons disabled, visiting every position in turn', async () => {
  const { page } = opened;
  await page.evaluate(() => { window.readSpeed = () => 1; });
  await page.click('input[name=play]');
  const playing = await state();
  assert.equal(playing.play, '停止');
  assert.deepEqual(playing.disabled, Array(7).fill(true));
  await page.waitForFunction(() => document.player.play.value === '再生', null, { timeout: 60000 });
  const done = await state();
  const last = facts.ps.length - 1;
  assert.equal(done.pos, last);
  assert.deepEqual(done.disabled, Array(7).fill(false));
  assert.equal(done.elapse, elapsed(last));
  const moves = [...playing.moves, ...done.moves];
  assert.deepEqual(moves.map((m) => m.pos), Array.from({ length: last }, (_, i) => i + 1));
  assert.deepEqual(moves.filter((m) => m.off >= 1.5), [], 'icon away from its position');
});

test('stop halts at the current position', async () => {
  const { page } = opened;
  await page.evaluate(() => { window.readSpeed = () => 20; });
  await page.click('input[name=play]'); // at the tail: starts again from the head
  await page.waitForFunction(() => pos >= 5);
  await page.click('input[name=play]');
  const stopped = await state();
  // A step still pending at the stop would have run before a timer of the same delay set now.
  await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, span)));
  const later = await state();
  assert.equal(stopped.play, '再生');
  assert.deepEqual(stopped.disabled, Array(7).fill(false));
  assert.ok(stopped.pos > 0 && stopped.pos < facts.ps.length - 1);
  assert.equal(later.pos, stopped.pos);
});

test('head, step and tail move one position or to the ends, and stop there', async () => {
  const { page } = opened;
  const last = facts.ps.length - 1;
  const steps = [['head', 0], ['forward', 1], ['forward', 2], ['back', 1], ['back', 0], ['back', 0],
                 ['tail', last], ['forward', last], ['back', last - 1]];
  for (const [button, want] of steps) {
    await page.click(`input[name=${button}]`);
    const s = await state();
    assert.equal(s.pos, want, button);
    assert.equal(s.elapse, elapsed(want));
    assert.ok(s.moves.every((m) => m.pos === want && m.off < 1.5), `${button}: icon off its position`);
  }
});

test('with scroll on, the view follows the icon; off, it stays', async () => {
  const { page } = opened;
  const last = facts.ps.length - 1;
  const centre = () => page.evaluate(() => [map.getCenter().lat(), map.getCenter().lng()]);
  await page.click('input[name=head]');
  await page.evaluate(() => map.setCenter(ps[0], 19));
  assert.equal(await page.evaluate(() => map.getBounds().contains(ps[ps.length - 1])), false, 'the tail must lie outside this view');
  const before = await centre();
  await page.click('input[name=tail]');
  assert.deepEqual(await centre(), before, 'moved without scroll');
  await page.click('input[name=head]');
  await page.check('input[name=scroll]');
  await page.click('input[name=tail]');
  const [lat, lng] = await centre();
  assert.ok(Math.abs(lat - facts.ps[last][0]) < 1e-5 && Math.abs(lng - facts.ps[last][1]) < 1e-5);
  const s = await state();
  assert.ok(s.moves.every((m) => m.off < 1.5));
});
