// The sample's five pages with the stored defaults, as a user opens them from disk.
import { test, before, after } from 'node:test';
import { launchBrowser, writePages } from './support.mjs';
import * as check from './checks.mjs';

let browser;
let sample;
before(async () => {
  sample = writePages();
  browser = await launchBrowser();
});
after(() => browser?.close());

for (const kind of ['route', 'picture', 'picture_route', 'route_grade', 'picture_route_grade']) {
  test(`sample page ${kind}`, async () => {
    await check.checkWholePage(browser, sample.pages[kind]);
  });
}
