// GMap2 over a Leaflet map in the page's own division, at the size the page's style gives it.
import { L, InfoWindow, isLoaded, isRemoved } from './leaflet.js';
import { GLatLngBounds, boundsFromLeaflet, fromLeafletLatLng, toLeafletLatLng } from './geometry.js';
import { GEvent } from './events.js';
import { G_DEFAULT_MAP_TYPES, G_NORMAL_MAP, layersForType } from './tiles.js';
import { GPolyline } from './overlays.js';
import { RouteLayer } from './route-layer.js';

// The maps of the page, taken down by GUnload.
var MAPS = [];

export function GMap2(container, options) {
  this.__gevents = {};
  options = options || {};
  this._container = container;
  this._overlays = [];
  this._controls = [];
  this._type = null;
  this._typeLayers = {};
  this._infoWindow = null;
  var map = this._leaflet = L.map(container, {
    zoomControl: false,
    attributionControl: false,
    // v2 defaults: no wheel zoom (the profile pages scroll), a double click centres the map.
    scrollWheelZoom: false,
    doubleClickZoom: false,
    minZoom: 0
  });
  L.control.attribution({
    position: 'bottomright',
    prefix: '<a href="https://leafletjs.com" title="A JavaScript library for interactive maps">Leaflet</a>'
  }).addTo(map);
  this.setMapType(options.mapTypes && options.mapTypes[0] || G_NORMAL_MAP);
  var self = this;
  map.on('moveend', function () { GEvent.trigger(self, 'moveend'); });
  map.on('zoomend', function () { GEvent.trigger(self, 'zoomend'); });
  map.on('click', function (e) { GEvent.trigger(self, 'click', null, fromLeafletLatLng(e.latlng)); });
  map.on('dblclick', function (e) { map.panTo(e.latlng); });
  MAPS.push(this);
}

GMap2.prototype.getContainer = function () { return this._container; };
GMap2.prototype.isLoaded = function () { return !!isLoaded(this._leaflet); };

GMap2.prototype.getSize = function () {
  var s = this._leaflet.getSize();
  return new GSize(s.x, s.y);
};

GMap2.prototype.checkResize = function () { this._leaflet.invalidateSize(false); };

GMap2.prototype._maxZoom = function () {
  return this._type ? this._typeLayers[this._type._id].maxZoom : 19;
};

function clampZoom(gmap, zoom) {
  var max = gmap._maxZoom();
  if (typeof zoom !== 'number' || !isFinite(zoom)) return null;
  return Math.max(0, Math.min(max, Math.round(zoom)));
}

// With a zoom: jump there. Without: keep the current zoom (0 before the first view).
GMap2.prototype.setCenter = function (point, zoom, type) {
  if (type) this.setMapType(type);
  var z = clampZoom(this, zoom);
  if (z === null) z = isLoaded(this._leaflet) ? this._leaflet.getZoom() : 0;
  this._leaflet.setView(toLeafletLatLng(point), z, { animate: false });
};

GMap2.prototype.panTo = function (point) {
  if (isLoaded(this._leaflet)) this._leaflet.panTo(toLeafletLatLng(point)); else this.setCenter(point);
};

GMap2.prototype.getCenter = function () {
  return isLoaded(this._leaflet) ? fromLeafletLatLng(this._leaflet.getCenter()) : null;
};

GMap2.prototype.getBounds = function () {
  return isLoaded(this._leaflet) ? boundsFromLeaflet(this._leaflet.getBounds()) : new GLatLngBounds();
};

GMap2.prototype.getZoom = function () { return isLoaded(this._leaflet) ? this._leaflet.getZoom() : 0; };
GMap2.prototype.setZoom = function (z) {
  var zoom = clampZoom(this, z);
  if (zoom !== null && isLoaded(this._leaflet)) this._leaflet.setZoom(zoom);
};
GMap2.prototype.zoomIn = function () { this.setZoom(this.getZoom() + 1); };
GMap2.prototype.zoomOut = function () { this.setZoom(this.getZoom() - 1); };

// The highest whole zoom at which the bounds fit the division; works before the first view.
GMap2.prototype.getBoundsZoomLevel = function (bounds) {
  var size = this._leaflet.getSize();
  if (!bounds || bounds.isEmpty() || size.x <= 0 || size.y <= 0) return 0;
  var sw = bounds.getSouthWest(), ne = bounds.getNorthEast();
  var crs = this._leaflet.options.crs;
  var a = crs.latLngToPoint(new L.LatLng(ne.y, 0), 0);
  var b = crs.latLngToPoint(new L.LatLng(sw.y, 0), 0);
  var height0 = Math.abs(b.y - a.y);              // pixels at zoom 0
  var width0 = bounds._lngSpan() / 360 * 256;
  for (var z = this._maxZoom(); z > 0; z--) {
    var scale = Math.pow(2, z);
    if (width0 * scale <= size.x && height0 * scale <= size.y) return z;
  }
  return 0;
};

GMap2.prototype.getCurrentMapType = function () { return this._type; };
GMap2.prototype.getMapTypes = function () { return G_DEFAULT_MAP_TYPES.slice(); };

GMap2.prototype.setMapType = function (type) {
  if (G_DEFAULT_MAP_TYPES.indexOf(type) < 0) type = G_NORMAL_MAP;
  if (type === this._type) return;
  var map = this._leaflet;
  if (this._type) {
    this._typeLayers[this._type._id].layers.forEach(function (l) { map.removeLayer(l); });
  }
  var entry = this._typeLayers[type._id] || (this._typeLayers[type._id] = layersForType(type));
  this._type = type;
  map.setMaxZoom(entry.maxZoom);
  entry.layers.forEach(function (l) { map.addLayer(l); });
  GEvent.trigger(this, 'maptypechanged');
};

GMap2.prototype.addControl = function (control) {
  if (!control || typeof control._build !== 'function' || this._controls.some(function (c) { return c.g === control; })) return;
  var built = control._build(this);
  var map = this._leaflet;
  // The overview inset follows the main view, so it waits for the first one.
  if (control._needsView) map.whenReady(function () { if (!isRemoved(map)) built.addTo(map); });
  else built.addTo(map);
  this._controls.push({ g: control, l: built });
};

GMap2.prototype.removeControl = function (control) {
  for (var i = 0; i < this._controls.length; i++) {
    if (this._controls[i].g === control) {
      this._controls[i].l.remove();
      this._controls.splice(i, 1);
      return;
    }
  }
};

GMap2.prototype.addOverlay = function (overlay) {
  if (!overlay || overlay._owner === this || !(overlay instanceof GPolyline || overlay._layer)) return;
  if (overlay._owner) overlay._owner.removeOverlay(overlay);
  overlay._owner = this;
  this._overlays.push(overlay);
  if (overlay instanceof GPolyline) this._routeLayer().addLine(overlay);
  else this._leaflet.addLayer(overlay._layer);
};

GMap2.prototype.removeOverlay = function (overlay) {
  var i = this._overlays.indexOf(overlay);
  if (i < 0) return;
  this._overlays.splice(i, 1);
  overlay._owner = null;
  if (overlay instanceof GPolyline) this._routeLayer().removeLine(overlay);
  else this._leaflet.removeLayer(overlay._layer);
};

// All polylines of the map share one layer that draws them in the order they were added.
GMap2.prototype._routeLayer = function () {
  if (!this._route) {
    this._route = new RouteLayer();
    this._leaflet.addLayer(this._route);
  }
  return this._route;
};

GMap2.prototype.clearOverlays = function () {
  var self = this;
  this._overlays.slice().forEach(function (o) { self.removeOverlay(o); });
};

// One information window per map, as in v2. The page's markup is inserted as given: the page
// writer has escaped the user's texts already.
GMap2.prototype._openInfoWindow = function (point, html, anchor) {
  var content = document.createElement('div');
  content.className = 'trackalbum-info-content';
  content.innerHTML = String(html);
  var popup = new InfoWindow({
    offset: L.point(0, 7).add(anchor || L.point(0, 0)),
    minWidth: 50,
    autoPanPaddingTopLeft: L.point(10, this._topControlsBottom() + 10),
    autoPanPaddingBottomRight: L.point(10, 10),
    className: 'trackalbum-info'
  });
  popup.setLatLng(toLeafletLatLng(point)).setContent(content);
  this._infoWindow = popup;
  this._leaflet.openPopup(popup);
  Array.prototype.forEach.call(content.querySelectorAll('img'), function (img) {
    if (img.complete) return;
    var relayout = function () {
      img.removeEventListener('load', relayout);
      img.removeEventListener('error', relayout);
      if (popup.isOpen()) popup.update();
    };
    img.addEventListener('load', relayout);
    img.addEventListener('error', relayout);
  });
};

// Bubbles are panned clear of the controls along the top, which would cover their close box;
// on a short map the bubble keeps room for itself instead (about 300 pixels).
GMap2.prototype._topControlsBottom = function () {
  var top = this._container.getBoundingClientRect().top;
  var bottom = 0;
  Array.prototype.forEach.call(this._container.querySelectorAll('.leaflet-top .leaflet-control'), function (c) {
    bottom = Math.max(bottom, c.getBoundingClientRect().bottom - top);
  });
  return Math.max(0, Math.min(bottom, this._container.clientHeight - 300));
};

GMap2.prototype.openInfoWindowHtml = function (point, html) {
  this._openInfoWindow(point, html, null);
};

GMap2.prototype.closeInfoWindow = function () { this._leaflet.closePopup(); };

GMap2.prototype._destroy = function () {
  GEvent.clearListeners(this);
  this._leaflet.remove();
};

export function GBrowserIsCompatible() { return true; }

export function GUnload() {
  MAPS.splice(0).forEach(function (m) {
    try { m._destroy(); } catch (e) { /* the page is going away */ }
  });
}
