// Screenshots of the sample's two main pages for the README, with stub tiles (the build
// machine has no network): doc/images/page-picture-route.png and page-profile.png.
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { launchBrowser, openPage, ROOT, writePages } from '../tests/browser/support.mjs';
import { waitStill } from '../tests/browser/checks.mjs';

const out = join(ROOT, 'doc', 'images');
mkdirSync(out, { recursive: true });
const sample = writePages({ set: { Controller: 1, MapTypeBtn: 1 } });
const browser = await launchBrowser();
try {
  // The route-and-photos page, one bubble open.
  let opened = await openPage(browser, sample.pages.picture_route, { viewport: { width: 1000, height: 700 } });
  await opened.page.locator('.leaflet-marker-pane img').nth(8).dispatchEvent('click');
  await opened.page.waitForFunction(() => {
    const img = document.querySelector('.leaflet-popup-content img');
    return img && img.complete;
  });
  await waitStill(opened.page, '.leaflet-popup');
  await opened.page.screenshot({ path: join(out, 'page-picture-route.png') });
  await opened.context.close();

  // The profile page, the player half way.
  opened = await openPage(browser, sample.pages.picture_route_grade, { viewport: { width: 1000, height: 720 } });
  await opened.page.evaluate(() => { pos = Math.floor(ps.length / 2); setMarker(); });
  await opened.page.screenshot({ path: join(out, 'page-profile.png') });
  await opened.context.close();
} finally {
  await browser.close();
}
console.log(`wrote ${join(out, 'page-picture-route.png')} and page-profile.png`);
