// The sample's five pages with the stored defaults, as a user opens them from disk.
import { test, before, after } from 'node:test';
import { readFileSync } from 'node:fs';
import { launchBrowser, openPage, pageFacts, writePages } from './support.mjs';
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
    const file = sample.pages[kind];
    const facts = pageFacts(readFileSync(file, 'utf8'));
    const opened = await openPage(browser, file);
    const { page } = opened;
    await check.checkMapSize(page, facts);
    await check.checkPolylines(page, facts);
    await check.checkMarkerCount(page, facts);
    await check.checkViewContainsRoute(page, facts);
    await check.checkControls(page, facts);
    await check.checkBubbles(page, facts);
    await check.checkMapTypes(page, facts);
    check.assertNoProblems(opened);
    await opened.context.close();
  });
}
