// Runs the script of a generated page against a stand-in of the map API and the player
// form, so that tests can check what the page does in a browser.
//   node page_script_harness.js PAGE load     -> one line per marker: its window's markup
//   node page_script_harness.js PAGE player   -> an "ok" line, or a failure and exit status 1
'use strict';
const page = require('fs').readFileSync(process.argv[2], 'utf8');
const script = page.slice(page.indexOf('//<![CDATA['), page.indexOf('//]]>'));
const g = globalThis;
const overlays = [];
let timers = [];
let nextTimer = 1;

const fail = (text) => { console.log('FAIL ' + text); process.exit(1); };
for (const name of ['GIcon', 'GSize', 'GPoint', 'GSmallMapControl', 'GLargeMapControl', 'GMapTypeControl',
  'GScaleControl', 'GOverviewMapControl', 'GLatLngBounds']) g[name] = function () {};
g.GLatLng = function (lat, lng) { this.lat = lat; this.lng = lng; };
g.GMap2 = function (element) { if (!element) fail('no map element'); };
Object.assign(g.GMap2.prototype, {
  addControl() {}, getBoundsZoomLevel: () => 13, addOverlay: (o) => overlays.push(o),
  setCenter(p) { this.center = p; }, getCenter() { return this.center; },
  setMapType(t) { if (t === undefined) fail('no map type'); }, getBounds: () => ({ contains: () => true }),
});
g.GPolyline = function (points, colour, width) {
  if (!/^#[0-9A-F]{6}$/.test(colour) || !(width > 0)) fail('bad polyline ' + colour);
};
g.GMarker = function (point) { if (!(point instanceof g.GLatLng)) fail('marker without position'); };
Object.assign(g.GMarker.prototype, {
  setPoint(p) { if (!p) fail('no position'); }, openInfoWindowHtml(html) { this.html = html; } });
g.GEvent = { addListener(object, event, handler) { object['on' + event] = handler; } };
Object.assign(g, { G_NORMAL_MAP: 1, G_SATELLITE_MAP: 2, G_HYBRID_MAP: 3, GBrowserIsCompatible: () => true });
g.setTimeout = (code, ms) => { timers.push({ id: nextTimer, code, ms }); return nextTimer++; };
g.clearTimeout = (id) => { timers = timers.filter((t) => t.id !== id); };

const button = (value) => ({ value, disabled: false });
const form = {
  head: button('|<'), back: button('<'), play: button('再生'), forward: button('>'), tail: button('>|'),
  speed: [button(), { checked: true, disabled: false }, button()], scroll: { checked: false },
};
const elapse = { innerText: '' };
g.document = { player: form, getElementById: (id) => ({ map: {}, elapse })[id] };

(0, eval)(script);
g.load();

const runTimer = () => (0, eval)(timers.shift().code);

if (process.argv[3] === 'load') {
  for (const overlay of overlays.filter((o) => o.onclick)) {
    overlay.onclick();
    console.log(overlay.html);
  }
} else {
  g.eval('pos = 100; setMarker();');
  if (elapse.innerText !== '[経過時間：00:10:00]' || g.readSpeed() !== 150) fail('elapse or speed');
  // Stopped and started again at once: the step pending at the stop must not run on
  // beside the new playback.
  g.resetPos();
  g.playOrStop();
  runTimer();
  g.playOrStop();
  g.playOrStop();
  if (timers.length !== 1 || form.play.value !== '停止') fail('restart runs ' + timers.length + ' playbacks');
  console.log('ok one playback after a restart');
}
