// The route: every polyline of a map, drawn by one canvas in the order the page added them.
// The canvas covers the view and a margin around it; it is painted again when a move or zoom
// ends, and scaled along with Leaflet's zoom animation in between, as Leaflet's own
// renderers are. While a zoom animation runs, the picture of the view it ends in is painted
// a slice at a time between its frames, so that a long ride costs no long frame at its end. Lines added while
// the page's script runs are painted once it is done, so thousands of addOverlay calls cost
// one paint.
import { L, isLoaded, isZoomAnimated, newPixelOrigin } from './leaflet.js';
import { RouteStore } from './route-store.js';
import { buildDisplayList } from './display-list.js';
import { RoutePainting } from './route-paint.js';
import { Raster } from './route-raster.js';

// Share of the view's size painted beyond each edge, so a short drag shows no bare edge.
var PADDING = 0.25;
// Display lists kept for the zooms painted last: a zoom step and back costs no new one.
var KEPT_LISTS = 6;
// Milliseconds of painting at a time while a zoom animation runs.
var SLICE = 8;

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
    this._cancel();
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
    this._prepare(this._viewOf(this._view.getPixelBounds(e.center, e.zoom), e.zoom));
  },

  // The part of the world the canvas shows for map bounds at zoom: the bounds and a margin.
  _viewOf: function (pixels, zoom) {
    var pad = this._view.getSize().multiplyBy(PADDING).round();
    return {
      zoom: Math.round(zoom),
      left: pixels.min.x - pad.x,
      top: pixels.min.y - pad.y,
      right: pixels.max.x + pad.x,
      bottom: pixels.max.y + pad.y
    };
  },

  // A cleared buffer of the canvas's pixels for the view; the canvas keeps its own picture.
  _bufferFor: function (view, ratio) {
    var w = Math.max(1, Math.round((view.right - view.left) * ratio));
    var h = Math.max(1, Math.round((view.bottom - view.top) * ratio));
    if (!this._image || this._image.width !== w || this._image.height !== h) {
      this._image = this._canvas.getContext('2d').createImageData(w, h);
      this._raster = new Raster(this._image.data, w, h);
    } else {
      this._raster.clear();
    }
  },

  _prepare: function (view) {
    this._cancel();
    var ratio = window.devicePixelRatio || 1;
    this._bufferFor(view, ratio);
    var painting = new RoutePainting(this._raster, this._store, this._listFor(view.zoom), view, ratio);
    var self = this;
    // Slices run as tasks of their own: the browser draws the animation's frames between them.
    var slice = function () {
      self._slice = painting.paint(performance.now() + SLICE) ? null : setTimeout(slice, 0);
    };
    this._painting = painting;
    this._slice = setTimeout(slice, 0);
  },

  _cancel: function () {
    clearTimeout(this._slice);
    this._slice = null;
    this._painting = null;
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
    var view = this._viewOf(map.getPixelBounds(), map.getZoom());
    var painting = this._painting;
    this._cancel();
    var list = this._listFor(view.zoom);
    var ratio = window.devicePixelRatio || 1;
    // What a zoom animation has painted for this very view goes on; anything else starts anew.
    if (!painting || painting.list !== list || painting.ratio !== ratio ||
        ['zoom', 'left', 'top', 'right', 'bottom'].some(function (k) { return painting.view[k] !== view[k]; })) {
      this._bufferFor(view, ratio);
      painting = new RoutePainting(this._raster, this._store, list, view, ratio);
    }
    painting.paint(Infinity);
    var canvas = this._canvas;
    L.DomUtil.setPosition(canvas, L.point(view.left, view.top).subtract(map.getPixelOrigin()));
    canvas.style.width = (view.right - view.left) + 'px';
    canvas.style.height = (view.bottom - view.top) + 'px';
    if (canvas.width !== this._image.width || canvas.height !== this._image.height) {
      canvas.width = this._image.width;
      canvas.height = this._image.height;
    }
    canvas.getContext('2d').putImageData(this._image, 0, 0);
    this._painted = view;
  }
});
