// Checks of a loaded page against the statements in its own text.
import assert from 'node:assert/strict';
import { AERIAL_SERVICE, NORMAL_SERVICE, PIXEL_OF, openPage, settle, tileService } from './support.mjs';

export const TYPE_LABELS = {
  ja: ['地図', '航空写真', '地図+写真'],
  en: ['Map', 'Satellite', 'Hybrid']
};
const TYPE_INDEX = { G_NORMAL_MAP: 0, G_SATELLITE_MAP: 1, G_HYBRID_MAP: 2 };

export function assertNoProblems(opened) {
  assert.deepEqual(opened.problems, [], 'console errors, page errors or stray requests');
}

export async function closeChecked(opened) {
  assertNoProblems(opened);
  await opened.context.close();
}

// The route's canvas as drawn, for comparing two pictures.
export const routePicture = (page) => page.evaluate(() => document.querySelector('#map canvas.trackalbum-route').toDataURL());

// The route as drawn: each position of the page's polylines of two or more points is painted
// (a pixel within a pixel of it on the route's canvas), the last one's colour shows, and
// nothing is painted for a page whose polylines have fewer points. inView: only positions
// inside the map division count, for a view that shows part of the route.
export async function checkPolylines(page, facts, { inView = false } = {}) {
  // Each polyline's positions follow the previous one's in the page's text.
  const positions = [];
  let offset = 0;
  for (const p of facts.polylines) {
    if (p.points >= 2) positions.push(...facts.route.slice(offset, offset + p.points));
    offset += p.points;
  }
  const last = facts.polylines.filter((p) => p.points >= 2).at(-1)?.color;
  const got = await page.evaluate(([pixelOf, last, positions, inView]) => {
    const canvas = document.querySelector('#map canvas.trackalbum-route');
    if (!canvas) return { painted: 0, lastShown: 0, missing: positions.length };
    const el = document.getElementById('map');
    const m = el.getBoundingClientRect(), r = canvas.getBoundingClientRect(), ratio = canvas.width / r.width;
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const rgb = last ? [1, 3, 5].map((k) => parseInt(last.slice(k, k + 2), 16)) : [];
    let painted = 0, lastShown = 0;
    for (let k = 0; k < data.length; k += 4) {
      painted += data[k + 3] > 0;
      lastShown += data[k + 3] === 255 && rgb.every((c, i) => c === data[k + i]);
    }
    // The alpha of the canvas pixel under a point of the map, 0 off the canvas.
    const alpha = (x, y) => {
      const cx = Math.round((x + m.left - r.left) * ratio), cy = Math.round((y + m.top - r.top) * ratio);
      return cx < 0 || cy < 0 || cx >= canvas.width || cy >= canvas.height ? 0 : data[4 * (cy * canvas.width + cx) + 3];
    };
    const f = eval(pixelOf);
    const missing = positions.filter(([lat, lng]) => {
      const p = f(lat, lng);
      if (inView && !(p.x >= 0 && p.y >= 0 && p.x < el.clientWidth && p.y < el.clientHeight)) return false;
      for (let dy = -1; dy <= 1; dy++) for (let dx = -1; dx <= 1; dx++) if (alpha(p.x + dx, p.y + dy) > 0) return false;
      return true;
    }).length;
    return { painted, lastShown, missing };
  }, [PIXEL_OF, last, positions, inView]);
  assert.equal(got.missing, 0, 'route positions with nothing painted');
  // Later lines may cover earlier ones whole; nothing covers the last.
  if (last) assert.ok(got.lastShown > 0, `no pixel of ${last}`);
  else assert.equal(got.painted, 0, 'painted without a line');
}

// One marker per placed photo, plus the player's icon where the page has one.
export async function checkMarkerCount(page, facts) {
  const icons = await page.$$eval('.leaflet-marker-pane img', (imgs) => imgs.map((i) => i.getAttribute('src')));
  const player = icons.filter((src) => src.endsWith('mm_20_red.png'));
  assert.equal(player.length, facts.ps.length > 0 ? 1 : 0, 'player icon');
  assert.equal(icons.length - player.length, facts.markers.length, 'photo markers');
}

// The view holds every route position (and every photo) inside the map division.
export async function checkViewContainsRoute(page, facts) {
  const outside = await page.evaluate(([pixelOf, positions]) => {
    const f = eval(pixelOf);
    const el = document.getElementById('map');
    return positions.filter(([lat, lng]) => {
      const p = f(lat, lng);
      return !(p.x >= -0.5 && p.y >= -0.5 && p.x <= el.clientWidth + 0.5 && p.y <= el.clientHeight + 0.5);
    }).length;
  }, [PIXEL_OF, [...facts.route, ...facts.markers.map((m) => [m.lat, m.lng])]]);
  assert.equal(outside, 0, 'positions outside the view');
}

// The map division has the size the page's style gives it.
export async function checkMapSize(page, facts) {
  const { w, h, vw, vh } = await page.evaluate(() => {
    const r = document.getElementById('map').getBoundingClientRect();
    return { w: r.width, h: r.height, vw: document.documentElement.clientWidth, vh: document.documentElement.clientHeight };
  });
  const expect = (text, whole) => text.endsWith('%') ? whole * parseFloat(text) / 100 : parseFloat(text);
  assert.ok(Math.abs(w - expect(facts.width, vw)) < 1.5, `width ${w} for ${facts.width}`);
  assert.ok(Math.abs(h - expect(facts.height, vh)) < 1.5, `height ${h} for ${facts.height}`);
}

// Exactly the controls the page adds, with their labels.
export async function checkControls(page, facts) {
  const has = (name) => facts.controls.includes(name);
  const got = await page.evaluate(() => ({
    small: document.querySelectorAll('.trackalbum-nav-small').length,
    large: document.querySelectorAll('.trackalbum-nav-large').length,
    zoomBar: document.querySelectorAll('.trackalbum-nav-large .trackalbum-zoombar').length,
    pan: document.querySelectorAll('.leaflet-top.leaflet-left .trackalbum-pan a').length,
    types: [...document.querySelectorAll('.leaflet-top.leaflet-right .trackalbum-maptype')].map((b) => b.textContent),
    pressed: [...document.querySelectorAll('.trackalbum-maptype')].map((b) => b.getAttribute('aria-pressed') === 'true'),
    scaleLines: [...document.querySelectorAll('.leaflet-bottom.leaflet-left .leaflet-control-scale-line')].map((l) => l.textContent),
    overview: document.querySelectorAll('.leaflet-bottom.leaflet-right .leaflet-control-minimap').length,
    attribution: document.querySelector('.leaflet-bottom.leaflet-right .leaflet-control-attribution')?.textContent || ''
  }));
  assert.equal(got.small, has('GSmallMapControl') ? 1 : 0, 'small control');
  assert.equal(got.large, has('GLargeMapControl') ? 1 : 0, 'large control');
  assert.equal(got.zoomBar, got.large, 'zoom bar only on the large control');
  assert.equal(got.pan, (got.small + got.large) * 4, 'pan arrows');
  assert.deepEqual(got.types, has('GMapTypeControl') ? TYPE_LABELS[facts.japanese ? 'ja' : 'en'] : []);
  if (has('GMapTypeControl')) assert.deepEqual(got.pressed, [0, 1, 2].map((i) => i === TYPE_INDEX[facts.mapType]));
  // Metric only in Japanese; metric over imperial otherwise.
  const scales = has('GScaleControl') ? (facts.japanese ? [/\d+ k?m$/] : [/\d+ k?m$/, /\d+ (ft|mi)$/]) : [];
  assert.equal(got.scaleLines.length, scales.length, `scale lines ${got.scaleLines}`);
  scales.forEach((re, i) => assert.match(got.scaleLines[i], re));
  assert.equal(got.overview, has('GOverviewMapControl') ? 1 : 0, 'overview');
  assert.match(got.attribution, /地理院タイル/);
}

// Services of the tiles on screen, per layer, with each layer's opacity.
export async function tileLayers(page) {
  await settle(page);
  const layers = await page.$$eval('#map > .leaflet-map-pane > .leaflet-tile-pane > .leaflet-layer', (ls) => ls.map((layer) => ({
    addresses: [...layer.querySelectorAll('img.leaflet-tile-loaded')].map((i) => i.src), opacity: +getComputedStyle(layer).opacity
  })));
  return layers.map(({ addresses, opacity }) => ({ hosts: [...new Set(addresses.map(tileService))], opacity }));
}

export const LAYERS_OF_TYPE = [
  [{ hosts: [NORMAL_SERVICE], opacity: 1 }],
  [{ hosts: [AERIAL_SERVICE], opacity: 1 }],
  [{ hosts: [AERIAL_SERVICE], opacity: 1 }, { hosts: [NORMAL_SERVICE], opacity: 0.5 }]
];

// The page's map type is shown; each button switches to its layers and is shown pressed.
export async function checkMapTypes(page, facts) {
  assert.deepEqual(await tileLayers(page), LAYERS_OF_TYPE[TYPE_INDEX[facts.mapType]]);
  if (!facts.controls.includes('GMapTypeControl')) return;
  for (const i of [1, 2, 0]) {
    await page.locator('.trackalbum-maptype').nth(i).click();
    assert.deepEqual(await tileLayers(page), LAYERS_OF_TYPE[i], `after button ${i}`);
    const pressed = await page.$$eval('.trackalbum-maptype', (bs) => bs.map((b) => b.getAttribute('aria-pressed') === 'true'));
    assert.deepEqual(pressed, [0, 1, 2].map((j) => j === i));
  }
}

// Waits until the element stops moving (the map pans a newly opened bubble into view): the
// same place over five frames in a row.
export async function waitStill(page, selector) {
  await page.waitForFunction((sel) => {
    const now = JSON.stringify(document.querySelector(sel).getBoundingClientRect());
    const still = window.__still && window.__still.sel === sel && window.__still.at === now ? window.__still.frames + 1 : 0;
    window.__still = { sel, at: now, frames: still };
    return still >= 5;
  }, selector, { polling: 'raf' });
}

// The map as the user sees it, markers and controls hidden: the number of pixels of each of
// `colours` (#rrggbb, matched within a few levels), from a screenshot so that it counts what
// is shown whatever draws it. around: only the 3 x 3 pixels around this point of the map.
export async function colourCounts(page, colours, around) {
  await page.addStyleTag({ content: '.leaflet-marker-pane, .leaflet-shadow-pane, .leaflet-control-container { display: none; }' });
  const map = await page.locator('#map').boundingBox();
  // Around a point: the 3 x 3 pixels whose middle one holds it.
  const shot = around
    ? await page.screenshot({ clip: { x: map.x + Math.floor(around.x) - 1, y: map.y + Math.floor(around.y) - 1, width: 3, height: 3 } })
    : await page.locator('#map').screenshot();
  return page.evaluate(async ([png, colours]) => {
    const img = new Image();
    img.src = `data:image/png;base64,${png}`;
    await img.decode();
    const ctx = Object.assign(document.createElement('canvas'), { width: img.width, height: img.height }).getContext('2d');
    ctx.drawImage(img, 0, 0);
    const data = ctx.getImageData(0, 0, img.width, img.height).data;
    const rgb = colours.map((c) => [1, 3, 5].map((k) => parseInt(c.slice(k, k + 2), 16)));
    const counts = colours.map(() => 0);
    for (let k = 0; k < data.length; k += 4) {
      const i = rgb.findIndex((c) => Math.abs(c[0] - data[k]) + Math.abs(c[1] - data[k + 1]) + Math.abs(c[2] - data[k + 2]) <= 12);
      if (i >= 0) counts[i]++;
    }
    return counts;
  }, [shot.toString('base64'), colours]);
}

// Clicking each photo marker opens its bubble with the page's markup and the picture loaded,
// neither clipped nor scrolled; the close box closes it.
export async function checkBubbles(page, facts) {
  // Markers come in the page's order; checkMarkerCount has counted them.
  const markers = page.locator('.leaflet-marker-pane img:not([src$="mm_20_red.png"])');
  for (let i = 0; i < facts.markers.length; i++) {
    const m = facts.markers[i];
    const marker = markers.nth(i);
    // A marker partly covered by a neighbour gets its click delivered directly.
    const at = await marker.evaluate((img) => {
      const r = img.getBoundingClientRect();
      return document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 3) === img ? { x: r.width / 2, y: r.height / 3 } : null;
    });
    await (at ? marker.click({ position: at }) : marker.dispatchEvent('click'));
    // A bubble just closed fades out for a moment; wait for the new one alone.
    await page.waitForFunction(() => document.querySelectorAll('.leaflet-popup').length === 1 &&
                                     document.querySelector('.leaflet-popup-content .marker img')?.complete);
    await waitStill(page, '.leaflet-popup');
    const got = await page.evaluate(() => {
      const content = document.querySelector('.leaflet-popup-content');
      const wrapper = document.querySelector('.leaflet-popup-content-wrapper');
      const img = content.querySelector('img');
      const ir = img.getBoundingClientRect(), wr = wrapper.getBoundingClientRect();
      return {
        time: content.querySelector('.time').textContent,
        comment: content.querySelector('.comment').textContent,
        src: img.getAttribute('src'),
        loaded: img.naturalWidth > 0,
        link: img.parentElement.tagName === 'A' ? img.parentElement.getAttribute('target') : null,
        inside: ir.left >= wr.left && ir.right <= wr.right && ir.top >= wr.top && ir.bottom <= wr.bottom,
        scrolls: content.scrollHeight > content.clientHeight + 1 || content.scrollWidth > content.clientWidth + 1 ||
                 wrapper.scrollHeight > wrapper.clientHeight + 1
      };
    });
    assert.deepEqual(got, { time: m.time, comment: m.comment, src: m.picture, loaded: true,
                            link: m.big ? '_blank' : null, inside: true, scrolls: false }, `bubble ${i}`);
    await page.locator('.leaflet-popup-close-button').click();
    await page.waitForFunction(() => !document.querySelector('.leaflet-popup'));
  }
}

// Opens a written page and runs every check that its own statements allow. Returns the page's facts.
export async function checkWholePage(browser, file) {
  const opened = await openPage(browser, file);
  const { page, facts } = opened;
  await checkMapSize(page, facts);
  await checkPolylines(page, facts);
  await checkMarkerCount(page, facts);
  await checkViewContainsRoute(page, facts);
  await checkControls(page, facts);
  await checkBubbles(page, facts);
  await checkMapTypes(page, facts);
  await closeChecked(opened);
  return facts;
}
