// The route: every polyline of a map, drawn by one canvas in the order the page added them.
// The canvas covers the view and a margin around it; it is painted again when a move or zoom
// ends, and scaled along with Leaflet's zoom animation in between, as Leaflet's own
// renderers are. Lines added while the page's script runs are painted once it is done, so
// thousands of addOverlay calls cost one paint.
import { L, isLoaded, isZoomAnimated, newPixelOrigin } from './leaflet.js';
import { RouteStore } from './route-store.js';
import { buildDisplayList } from './display-list.js';
import { paintRoute } from './route-paint.js';
import { Raster } from './route-raster.js';

// Share of the view's size painted beyond each edge, so a short drag shows no bare edge.
var PADDING = 0.25;
// Display lists kept for the zooms painted last: a zoom step and back costs no new one.
var KEPT_LISTS = 6;

export var RouteLayer = L.Layer.extend({
  options: { pane: 'overlayPane' },

  initialize: function () {
    this._store = new RouteStore();
    this._lists = new Map();
    this._pending = false;
    this._view = null;
  },

  addLine: function (line) {
    line._moveInto(this._store);
    this._changed();
  },

  removeLine: function (line) {
    line._moveOut();
    this._changed();
  },

  // The display list of a zoom, worked out when the zoom is first painted.
  _listFor: function (zoom) {
    var list = this._lists.get(zoom);
    if (list && list.version === this._store.version) {
      this._lists.delete(zoom);
    } else {
      list = buildDisplayList(this._store, zoom);
    }
    this._lists.set(zoom, list);
    if (this._lists.size > KEPT_LISTS) this._lists.delete(this._lists.keys().next().value);
    return list;
  },

  _changed: function () {
    if (this._pending) return;
    this._pending = true;
    var self = this;
    Promise.resolve().then(function () {
      self._pending = false;
      if (self._view) self._reset();
    });
  },

  // Leaflet asks for the events before onAdd.
  beforeAdd: function (map) {
    this._view = map;
  },

  onAdd: function (map) {
    this._view = map;
    this._canvas = L.DomUtil.create('canvas', 'trackalbum-route leaflet-zoom-animated');
    this.getPane().appendChild(this._canvas);
    this._reset();
  },

  onRemove: function () {
    L.DomUtil.remove(this._canvas);
    this._canvas = null;
    this._image = null;
    this._raster = null;
    this._view = null;
  },

  getEvents: function () {
    var events = { viewreset: this._reset, zoom: this._onZoom, moveend: this._reset, resize: this._reset };
    if (isZoomAnimated(this._view)) events.zoomanim = this._onAnimZoom;
    return events;
  },

  _onZoom: function () {
    this._transform(this._view.getCenter(), this._view.getZoom());
  },

  _onAnimZoom: function (e) {
    this._transform(e.center, e.zoom);
  },

  // Moves and scales the painted canvas to where it belongs in a view of center and zoom.
  _transform: function (center, zoom) {
    if (!this._painted) return;
    var map = this._view;
    var scale = map.getZoomScale(zoom, this._painted.zoom);
    var topLeft = L.point(this._painted.left * scale, this._painted.top * scale)
      .subtract(newPixelOrigin(map, center, zoom));
    L.DomUtil.setTransform(this._canvas, topLeft, scale);
  },

  _reset: function () {
    var map = this._view;
    if (!map || !isLoaded(map)) return;
    var size = map.getSize();
    var pixels = map.getPixelBounds();
    var pad = size.multiplyBy(PADDING).round();
    var view = {
      zoom: Math.round(map.getZoom()),
      left: pixels.min.x - pad.x,
      top: pixels.min.y - pad.y,
      right: pixels.max.x + pad.x,
      bottom: pixels.max.y + pad.y
    };
    var width = view.right - view.left;
    var height = view.bottom - view.top;
    var ratio = window.devicePixelRatio || 1;
    var canvas = this._canvas;
    L.DomUtil.setPosition(canvas, L.point(view.left, view.top).subtract(map.getPixelOrigin()));
    var w = Math.max(1, Math.round(width * ratio)), h = Math.max(1, Math.round(height * ratio));
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    var ctx = canvas.getContext('2d');
    if (!this._image || this._image.width !== w || this._image.height !== h) {
      canvas.width = w;
      canvas.height = h;
      this._image = ctx.createImageData(w, h);
      this._raster = new Raster(this._image.data, w, h);
    } else {
      this._raster.clear();
    }
    paintRoute(this._raster, this._store, this._listFor(view.zoom), view, ratio);
    ctx.putImageData(this._image, 0, 0);
    this._painted = view;
  }
});
