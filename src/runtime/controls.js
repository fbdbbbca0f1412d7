// The five controls the pages add. Each v2 control object builds its Leaflet control when
// the map adds it.
import { L, afterZoomAnimation, isLoaded } from './leaflet.js';
import { LABELS, SCRIPT, TILES } from './environment.js';
import { GEvent } from './events.js';
import { G_DEFAULT_MAP_TYPES, createTileLayer } from './tiles.js';

var ARROWS = {
  up: '<svg viewBox="0 0 10 10" width="10" height="10"><path d="M5 1 9 8H1z"/></svg>',
  down: '<svg viewBox="0 0 10 10" width="10" height="10"><path d="M5 9 1 2h8z"/></svg>',
  left: '<svg viewBox="0 0 10 10" width="10" height="10"><path d="M1 5 8 1v8z"/></svg>',
  right: '<svg viewBox="0 0 10 10" width="10" height="10"><path d="M9 5 2 9V1z"/></svg>'
};

function controlButton(parent, className, title, html, onClick) {
  var a = L.DomUtil.create('a', 'trackalbum-button ' + className, parent);
  a.href = '#';
  a.title = title;
  a.setAttribute('role', 'button');
  a.setAttribute('aria-label', title);
  a.innerHTML = html;
  L.DomEvent.on(a, 'click', function (e) {
    L.DomEvent.preventDefault(e);
    onClick();
  });
  return a;
}

// Arrows pan by half the map, as v2 did.
function panPad(gmap, parent) {
  var pad = L.DomUtil.create('div', 'trackalbum-pan', parent);
  var map = gmap._leaflet;
  function pan(dx, dy) {
    return function () {
      if (!isLoaded(map)) return;
      afterZoomAnimation(map, function () {
        var size = map.getSize();
        map.panBy([dx * size.x / 2, dy * size.y / 2]);
      });
    };
  }
  controlButton(pad, 'trackalbum-pan-up', LABELS.up, ARROWS.up, pan(0, -1));
  controlButton(pad, 'trackalbum-pan-left', LABELS.left, ARROWS.left, pan(-1, 0));
  controlButton(pad, 'trackalbum-pan-right', LABELS.right, ARROWS.right, pan(1, 0));
  controlButton(pad, 'trackalbum-pan-down', LABELS.down, ARROWS.down, pan(0, 1));
  return pad;
}

function zoomButton(gmap, parent, delta) {
  return controlButton(parent, delta > 0 ? 'trackalbum-zoom-in' : 'trackalbum-zoom-out',
                       delta > 0 ? LABELS.zoomIn : LABELS.zoomOut, delta > 0 ? '+' : '&minus;',
                       function () {
                         var map = gmap._leaflet;
                         if (isLoaded(map)) afterZoomAnimation(map, function () { map.setZoom(map.getZoom() + delta); });
                       });
}

var NavigationControl = L.Control.extend({
  options: { position: 'topleft', large: false },
  initialize: function (gmap, options) {
    L.setOptions(this, options);
    this._gmap = gmap;
  },
  onAdd: function (map) {
    var gmap = this._gmap;
    var box = L.DomUtil.create('div', 'trackalbum-nav ' + (this.options.large ? 'trackalbum-nav-large' : 'trackalbum-nav-small'));
    panPad(gmap, box);
    var zoom = L.DomUtil.create('div', 'trackalbum-zoom', box);
    zoomButton(gmap, zoom, 1);
    if (this.options.large) this._bar = new ZoomBar(map, zoom);
    zoomButton(gmap, zoom, -1);
    L.DomEvent.disableClickPropagation(box);
    L.DomEvent.disableScrollPropagation(box);
    return box;
  },
  onRemove: function () {
    if (this._bar) this._bar.remove();
  }
});

// A vertical bar with one step per zoom level; click a step or drag the knob.
var STEP = 8;
function ZoomBar(map, parent) {
  this._view = map;
  var bar = this._bar = L.DomUtil.create('div', 'trackalbum-zoombar', parent);
  bar.title = LABELS.zoomBar;
  this._knob = L.DomUtil.create('div', 'trackalbum-zoombar-knob', bar);
  var self = this;
  this._update = function () { self.update(); };
  map.on('zoomend zoomlevelschange load', this._update);
  L.DomEvent.on(bar, 'pointerdown', function (e) {
    L.DomEvent.preventDefault(e);
    bar.setPointerCapture && bar.setPointerCapture(e.pointerId);
    self._dragging = true;
    self._drag(e);
  });
  L.DomEvent.on(bar, 'pointermove', function (e) { if (self._dragging) self._drag(e); });
  L.DomEvent.on(bar, 'pointerup pointercancel', function (e) {
    if (!self._dragging) return;
    self._dragging = false;
    var z = self._zoomAt(e);
    if (isLoaded(map)) map.setZoom(z); else self.update();
  });
  this.update();
}
ZoomBar.prototype._levels = function () {
  var max = this._view.getMaxZoom();
  return isFinite(max) ? max : 18;
};
ZoomBar.prototype._zoomAt = function (e) {
  var rect = this._bar.getBoundingClientRect();
  var step = Math.floor((e.clientY - rect.top) / STEP);
  var max = this._levels();
  return Math.max(0, Math.min(max, max - step));
};
ZoomBar.prototype._drag = function (e) {
  this._knob.style.top = ((this._levels() - this._zoomAt(e)) * STEP) + 'px';
};
ZoomBar.prototype.update = function () {
  var max = this._levels();
  this._bar.style.height = ((max + 1) * STEP) + 'px';
  var z = isLoaded(this._view) ? this._view.getZoom() : 0;
  this._knob.style.top = ((max - z) * STEP) + 'px';
};
ZoomBar.prototype.remove = function () {
  this._view.off('zoomend zoomlevelschange load', this._update);
};

var MapTypeControl = L.Control.extend({
  options: { position: 'topright' },
  initialize: function (gmap) { this._gmap = gmap; },
  onAdd: function () {
    var gmap = this._gmap;
    var box = L.DomUtil.create('div', 'trackalbum-maptypes');
    var buttons = this._buttons = [];
    G_DEFAULT_MAP_TYPES.forEach(function (type) {
      var b = L.DomUtil.create('div', 'trackalbum-maptype', box);
      b.textContent = type.getName();
      b.title = LABELS[type._label + 'Title'];
      b.setAttribute('role', 'button');
      b.setAttribute('data-maptype', type._id);
      L.DomEvent.on(b, 'click', function () { gmap.setMapType(type); });
      buttons.push({ type: type, node: b });
    });
    this._listener = GEvent.addListener(gmap, 'maptypechanged', L.bind(this._update, this));
    this._update();
    L.DomEvent.disableClickPropagation(box);
    return box;
  },
  onRemove: function () { GEvent.removeListener(this._listener); },
  _update: function () {
    var current = this._gmap.getCurrentMapType();
    this._buttons.forEach(function (b) {
      var on = b.type === current;
      L.DomUtil[on ? 'addClass' : 'removeClass'](b.node, 'trackalbum-maptype-selected');
      b.node.setAttribute('aria-pressed', on ? 'true' : 'false');
    });
  }
});

export function GSmallMapControl() {}
GSmallMapControl.prototype._build = function (gmap) { return new NavigationControl(gmap, { large: false }); };

export function GLargeMapControl() {}
GLargeMapControl.prototype._build = function (gmap) { return new NavigationControl(gmap, { large: true }); };

export function GMapTypeControl() {}
GMapTypeControl.prototype._build = function (gmap) { return new MapTypeControl(gmap); };

// Metric only for Japanese readers; metric and imperial otherwise.
export function GScaleControl() {}
GScaleControl.prototype._build = function () {
  return L.control.scale({ position: 'bottomleft', metric: true, imperial: !SCRIPT.japanese });
};

// An inset of the street map showing the main view's rectangle; drag it to pan.
export function GOverviewMapControl() {}
GOverviewMapControl.prototype._needsView = true;
GOverviewMapControl.prototype._build = function () {
  var layer = createTileLayer(TILES.normal) || L.layerGroup();
  return new L.Control.MiniMap(layer, {
    position: 'bottomright',
    width: 150,
    height: 150,
    toggleDisplay: true,
    zoomLevelOffset: -4,
    aimingRectOptions: { color: '#0000cc', weight: 2, interactive: false },
    strings: { hideText: LABELS.overview, showText: LABELS.overview }
  });
};
