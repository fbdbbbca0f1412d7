// Runs the script of a generated page against a stand-in of the map API and the player
// form, so that tests can check what the page does in a browser.
//   node page_script_harness.js PAGE load     -> one line per marker: its window's markup
//   node page_script_harness.js PAGE player   -> "ok" lines, or a failure and exit status 1
'use strict';
const fs = require('fs');

const page = fs.readFileSync(process.argv[2], 'utf8');
const mode = process.argv[3];
const script = page.slice(page.indexOf('//<![CDATA['), page.indexOf('//]]>'));

const overlays = [];
let timers = [];
let nextTimer = 1;
let visible = true;

const g = globalThis;
g.GLatLng = function (lat, lng) { this.lat = lat; this.lng = lng; };
g.GLatLngBounds = function (a, b) { this.a = a; this.b = b; };
g.GMap2 = function (element) { if (!element) throw new Error('no map element'); };
g.GMap2.prototype.addControl = function () {};
g.GMap2.prototype.setCenter = function (p) { this.center = p; };
g.GMap2.prototype.getBoundsZoomLevel = function () { return 13; };
g.GMap2.prototype.setMapType = function (t) { if (t === undefined) throw new Error('no map type'); };
g.GMap2.prototype.addOverlay = function (o) { overlays.push(o); };
g.GMap2.prototype.getCenter = function () { return this.center; };
g.GMap2.prototype.getBounds = function () { return { contains: () => visible }; };
g.GPolyline = function (points, colour, width) {
  if (!/^#[0-9A-F]{6}$/.test(colour) || !(width > 0)) throw new Error('bad polyline ' + colour);
  this.points = points.slice();
};
g.GMarker = function (point, icon) {
  if (!(point instanceof g.GLatLng)) throw new Error('marker without position');
  this.point = point;
  this.icon = icon;
};
g.GMarker.prototype.setPoint = function (p) { if (!p) throw new Error('no position'); this.point = p; };
g.GMarker.prototype.openInfoWindowHtml = function (html) { this.html = html; };
g.GEvent = { addListener(object, event, handler) { object['on' + event] = handler; } };
g.GIcon = function () {};
g.GSize = function () {};
g.GPoint = function () {};
for (const name of ['GSmallMapControl', 'GLargeMapControl', 'GMapTypeControl', 'GScaleControl',
  'GOverviewMapControl']) g[name] = function () {};
g.G_NORMAL_MAP = 'normal';
g.G_SATELLITE_MAP = 'satellite';
g.G_HYBRID_MAP = 'hybrid';
g.GBrowserIsCompatible = () => true;
g.GUnload = () => {};
g.setTimeout = (code, ms) => { const id = nextTimer++; timers.push({ id, code, ms }); return id; };
g.clearTimeout = (id) => { timers = timers.filter((t) => t.id !== id); };

const button = (value) => ({ value, disabled: false });
const form = {
  head: button('|<'), back: button('<'), play: button('再生'), forward: button('>'), tail: button('>|'),
  speed: [{ checked: false, disabled: false }, { checked: true, disabled: false }, { checked: false, disabled: false }],
  scroll: { checked: false },
};
const elements = { map: {}, elapse: { innerText: '' } };
g.document = { player: form, getElementById: (id) => elements[id] };

(0, eval)(script);
g.load();

function fail(text) {
  console.log('FAIL ' + text);
  process.exit(1);
}
function runTimer() {
  const timer = timers.shift();
  (0, eval)(timer.code);
}
function enabled() {
  return !form.head.disabled && !form.back.disabled && !form.forward.disabled && !form.tail.disabled &&
    form.speed.every((s) => !s.disabled);
}

if (mode === 'load') {
  for (const overlay of overlays) {
    if (overlay.onclick) {
      overlay.onclick();
      console.log(overlay.html);
    }
  }
} else if (mode === 'player') {
  const last = g.eval('ps.length') - 1;
  if (last < 1) fail('no positions');
  g.eval('pos = 100; setMarker();');
  if (elements.elapse.innerText !== '[経過時間：00:10:00]') fail('elapse ' + elements.elapse.innerText);
  if (g.readSpeed() !== 150) fail('speed ' + g.readSpeed());
  console.log('ok elapse and speed');

  g.resetPos();
  g.playOrStop();
  if (form.play.value !== '停止' || enabled()) fail('playing state');
  while (timers.length > 0) runTimer();
  if (g.eval('pos') !== last || form.play.value !== '再生' || !enabled()) fail('play to the end');
  console.log('ok play to the end');

  g.resetPos();
  g.playOrStop();
  while (g.eval('pos') < last - 1) runTimer();
  g.playOrStop();
  while (timers.length > 0) runTimer();
  if (g.eval('pos') !== last - 1 || form.play.value !== '再生' || !enabled()) fail('stop before the end');
  console.log('ok stop before the end');

  g.resetPos();
  g.playOrStop();
  runTimer();
  g.playOrStop();
  g.playOrStop();
  if (timers.length !== 1) fail('restart runs ' + timers.length + ' playbacks');
  console.log('ok one playback after a restart');
} else {
  fail('unknown mode ' + mode);
}
