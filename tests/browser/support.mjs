// Shared by the browser tests: pages written by the real trackalbum-cli, opened over file://
// in Debian's chromium with every request outside the page folder answered by a stub tile or
// refused, and the facts the page's own text states.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { deflateSync } from 'node:zlib';
import { chromium } from 'playwright-core';
import { walk } from '../runtime/scene.mjs';

export const ROOT = resolve(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const CLI = process.env.TRACKALBUM_CLI || join(ROOT, 'build', 'trackalbum-cli');
export const SAMPLE_GPX = join(ROOT, 'examples', 'walk.gpx');
export const SAMPLE_PHOTOS = join(ROOT, 'examples', 'photos');

// Tile services by host and, for GSI's several maps on one host, the map's folder.
export function tileService(address) {
  const url = new URL(address);
  if (url.hostname === 'cyberjapandata.gsi.go.jp') return `gsi/${url.pathname.split('/')[2]}`;
  return url.hostname;
}
export const NORMAL_SERVICE = 'gsi/std';
export const AERIAL_SERVICE = 'gsi/seamlessphoto';

// ---- stub tiles ------------------------------------------------------------------------------

// zlib.crc32 only came with Node 20.15; Debian 12's Node is older.
const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
const crc32 = (buf) => (buf.reduce((c, b) => CRC_TABLE[(c ^ b) & 0xff] ^ (c >>> 8), 0xffffffff) ^ 0xffffffff) >>> 0;

function chunk(type, data) {
  const body = Buffer.concat([Buffer.from(type, 'latin1'), data]);
  const out = Buffer.alloc(8 + body.length);
  out.writeUInt32BE(data.length, 0);
  body.copy(out, 4);
  out.writeUInt32BE(crc32(body), 4 + body.length);
  return out;
}

// A 256-pixel PNG tile of one colour, with a darker top and left edge so tile seams show.
const tileCache = new Map();
export function stubTile(rgb) {
  const key = rgb.join(',');
  if (!tileCache.has(key)) {
    const row = (edge) => Buffer.from([0, ...Array.from({ length: 256 }, (_, x) =>
      (edge || x === 0 ? rgb.map((c) => c * 0.8) : rgb).concat(255)).flat()]);
    const ihdr = Buffer.alloc(13);
    ihdr.writeUInt32BE(256, 0);
    ihdr.writeUInt32BE(256, 4);
    ihdr.set([8, 6, 0, 0, 0], 8);
    const raw = Buffer.concat([row(true), ...Array(255).fill(row(false))]);
    tileCache.set(key, Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', ihdr),
                                      chunk('IDAT', deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]));
  }
  return tileCache.get(key);
}

export const TILE_COLOURS = {
  [NORMAL_SERVICE]: [236, 230, 214],
  [AERIAL_SERVICE]: [74, 104, 70],
  'gsi/pale': [245, 245, 240],
  'tile.openstreetmap.org': [242, 239, 233],
  'tiles.example.org': [200, 210, 240]
};

// ---- writing pages --------------------------------------------------------------------------

function run(args) {
  const r = spawnSync(CLI, args, { encoding: 'utf8', env: { ...process.env, TZ: 'Asia/Tokyo' } });
  if (r.status !== 0) throw new Error(`${CLI} ${args.join(" ")}: ${r.error || ""}\n${r.stdout}\n${r.stderr}`);
  return r.stdout;
}

const written = [];
process.on('exit', () => {
  if (!process.env.TRACKALBUM_KEEP_PAGES) for (const d of written) rmSync(d, { recursive: true, force: true });
});

// Runs one Apply into a new folder and returns its html folder and pages.
export function writePages({ gpx = SAMPLE_GPX, photos = SAMPLE_PHOTOS, set = {}, keepOriginalSize = false,
                             compression = 100, comments } = {}) {
  const dir = mkdtempSync(join(tmpdir(), 'ta-browser-'));
  written.push(dir);
  if (comments) {
    // The comments file beside the outputs, read by Apply: "file,comment" lines.
    writeFileSync(join(dir, `${basename(gpx, '.gpx')}.csv`),
                  Object.entries(comments).map(([f, c]) => `${f},${c}\r\n`).join(''));
  }
  const args = ['--gpx', gpx, '--profile', join(dir, 'profile.ini'), '-C', dir, '--tz', '9',
                '--compression', String(compression), '--page-name', '里山さんぽ'];
  if (photos) args.push('--photos', photos, '--clock-minutes', '-3', '--copy-photos');
  if (keepOriginalSize) args.push('--keep-original-size');
  for (const [key, value] of Object.entries(set)) args.push('--set', `${key}=${value}`);
  run(args);
  const html = join(dir, 'html');
  if (!existsSync(join(html, 'maps'))) throw new Error(`Apply wrote no runtime into ${html}`);
  // Another build of the runtime behind the program's tile line, to compare runtimes.
  if (process.env.TRACKALBUM_RUNTIME) {
    const tileLine = readFileSync(join(html, 'maps'), 'utf8').split('\n')[0];
    writeFileSync(join(html, 'maps'), `${tileLine}\n${readFileSync(process.env.TRACKALBUM_RUNTIME, 'utf8')}`);
  }
  const pages = Object.fromEntries(readdirSync(html).filter((f) => f.endsWith('.html'))
    .map((f) => [f.slice(basename(gpx, '.gpx').length + 1, -'.html'.length), join(html, f)]));
  return { dir, html, pages };
}

// ---- what the page's own text says --------------------------------------------------------

const NUM = '(-?\\d+\\.\\d+)';
const LATLNG = new RegExp(`new GLatLng\\(\\s*${NUM},\\s*${NUM}\\)`);

export function factsOf(file) {
  const text = readFileSync(file, 'utf8');
  const facts = { polylines: [], route: [], markers: [], controls: [], ps: [], mapType: null };
  let pending = 0;
  for (const line of text.split('\r\n')) {
    let m;
    if (/points = \[\];/.test(line)) pending = 0;
    else if ((m = line.match(/^\s*points\.push\(/)) && (m = line.match(LATLNG))) {
      pending++;
      facts.route.push([+m[1], +m[2]]);
    } else if ((m = line.match(/map\.addOverlay\(new GPolyline\(points, "(#[0-9A-Fa-f]{6})", (\d+)\)\);/))) {
      facts.polylines.push({ color: m[1].toLowerCase(), width: +m[2], points: pending });
    } else if ((m = line.match(/^\s*ps\.push\(/)) && (m = line.match(LATLNG))) {
      facts.ps.push([+m[1], +m[2]]);
    } else if ((m = line.match(/map\.addControl\(new (\w+)\(\)\);/))) {
      facts.controls.push(m[1]);
    } else if ((m = line.match(/map\.setMapType\((\w+)\);/))) {
      facts.mapType = m[1];
    } else if ((m = line.match(/createMarker(ForBigPicture)?\((.*)\)\);\s*$/)) && line.includes('map.addOverlay')) {
      const pos = m[2].match(LATLNG);
      const strings = [...m[2].matchAll(/"((?:[^"\\]|\\.)*)"/g)].map((s) => JSON.parse(`"${s[1].replace(/\\x([0-9a-fA-F]{2})/g, '\\u00$1')}"`));
      const big = !!m[1];
      facts.markers.push({ lat: +pos[1], lng: +pos[2], big, attr: big ? strings[0] : '',
                           picture: strings[big ? 1 : 0], comment: strings[big ? 2 : 1], time: strings[big ? 3 : 2] });
    }
  }
  const step = text.match(/var t1 = pos \* (-?\d+);/);
  facts.step = step ? +step[1] : null;
  facts.japanese = /maps\?file=api&amp;v=2&amp;hl=ja&amp;/.test(text);
  const size = text.match(/\.map \{\r\n\s*width: ([^;]+);\r\n\s*height: ([^\r]+)\r\n/);
  facts.width = size[1];
  facts.height = size[2];
  return facts;
}

// ---- the browser ----------------------------------------------------------------------------

export async function launchBrowser() {
  return chromium.launch({
    executablePath: process.env.TRACKALBUM_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-extensions']
  });
}

// Opens a page as a user would and waits until its map has its first view and its tiles; with
// the facts its text states.
// offline: every tile request fails, as without a network.
// scale: device pixels to a CSS pixel, as on a high-density screen.
export async function openPage(browser, file, { viewport = { width: 1280, height: 900 }, tiles = TILE_COLOURS, offline = false,
                                               settleTiles = true, scale = 1 } = {}) {
  const context = await browser.newContext({ viewport, deviceScaleFactor: scale });
  const page = await context.newPage();
  const folder = pathToFileURL(dirname(file)).href + '/';
  const problems = [];
  const requests = [];
  page.on('console', (m) => {
    // Offline, the browser itself reports each refused tile; that is expected.
    if (m.type() === 'error' && !(offline && /^Failed to load resource: net::ERR_INTERNET_DISCONNECTED$/.test(m.text()))) {
      problems.push(`console: ${m.text()}`);
    }
  });
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('request', (r) => requests.push(r.url()));
  await context.route('**/*', (route) => {
    const url = new URL(route.request().url());
    if (url.protocol === 'file:') {
      if (url.href.startsWith(folder)) return route.continue();
      problems.push(`outside the page folder: ${url.href}`);
      return route.abort();
    }
    if (offline) return route.abort('internetdisconnected');
    const service = tileService(url.href);
    if ((url.protocol === 'https:' || url.protocol === 'http:') && tiles[service]) {
      return typeof tiles[service] === 'function' ? tiles[service](route)
        : route.fulfill({ status: 200, contentType: 'image/png', body: stubTile(tiles[service]) });
    }
    problems.push(`unexpected request: ${url.href}`);
    return route.abort();
  });
  await page.goto(pathToFileURL(file).href, { waitUntil: 'load' });
  await page.waitForFunction(() => window.map && map.isLoaded());
  if (settleTiles) await settle(page);
  else await nextFrames(page);
  return { page, context, problems, requests, facts: factsOf(file) };
}

// Waits until no tile is loading and a frame has been drawn.
export async function settle(page) {
  await page.waitForFunction(() =>
    !document.querySelector('.leaflet-tile-container img:not(.leaflet-tile-loaded)'), null, { timeout: 10000 })
    .catch(() => {});
  await nextFrames(page);
}

// One step of the map's zoom (in or out), resolved when the view's move has ended.
export function zoomStep(page, step) {
  return page.evaluate((s) => new Promise((resolve) => {
    const h = GEvent.addListener(map, 'moveend', () => { GEvent.removeListener(h); resolve(); });
    if (s === 'in') map.zoomIn(); else map.zoomOut();
  }), step);
}

export function nextFrames(page) {
  return page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
}

// In-page helper: the container pixel of a position, from the map's centre and zoom alone
// (Web Mercator, 256-pixel tiles), independent of the runtime's own projection code.
export const PIXEL_OF = `(function (lat, lng) {
  var el = document.getElementById('map');
  var c = map.getCenter(), z = map.getZoom(), world = 256 * Math.pow(2, z);
  function mx(l) { return (l + 180) / 360 * world; }
  function my(l) { var s = Math.sin(l * Math.PI / 180); return (0.5 - Math.log((1 + s) / (1 - s)) / (4 * Math.PI)) * world; }
  var dx = mx(lng) - mx(c.lng());
  if (dx > world / 2) dx -= world; else if (dx < -world / 2) dx += world;
  return { x: el.clientWidth / 2 + dx, y: el.clientHeight / 2 + my(lat) - my(c.lat()) };
})`;

// ---- generated tracks -----------------------------------------------------------------------

// Writes a GPX track of [lat, lon, ele] points, five seconds apart, and returns its path.
export function writeGpx(name, points) {
  const dir = mkdtempSync(join(tmpdir(), 'ta-gpx-'));
  written.push(dir);
  const t0 = Date.UTC(2026, 4, 17, 0, 0, 0);
  const lines = points.map(([lat, lon, ele], i) =>
    `<trkpt lat="${lat.toFixed(7)}" lon="${lon.toFixed(7)}"><ele>${ele.toFixed(1)}</ele>` +
    `<time>${new Date(t0 + i * 5000).toISOString().replace('.000', '')}</time></trkpt>`);
  const path = join(dir, `${name}.gpx`);
  writeFileSync(path, '<?xml version="1.0" encoding="UTF-8"?>\n' +
    '<gpx version="1.1" creator="trackalbum tests" xmlns="http://www.topografix.com/GPX/1/1"><trk><trkseg>\n' +
    lines.join('\n') + '\n</trkseg></trk></gpx>\n');
  return path;
}

// A ride of n points 5 m apart wandering near Tokyo whose elevation climbs for 25 points, falls
// for 21 and stays flat for 14, over and over: many short grade-coloured pieces that cross and
// run along each other when the whole ride is in view.
export function sawToothRide(n) {
  let ele = 300;
  return walk(n, 5, 99).map(([lat, lng], i) => {
    ele += i % 60 < 25 ? 0.6 : i % 60 < 46 ? -0.6 : 0;
    return [lat, lng, ele];
  });
}
