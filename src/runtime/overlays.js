// Markers, icons and polylines.
import { L, leafletImage } from './leaflet.js';
import { GLatLng, GLatLngBounds, GPoint, GSize, toLeafletLatLng } from './geometry.js';
import { GEvent } from './events.js';
import { BLANK_TILE } from './tiles.js';
import { lineStyle } from './settings.js';

export function GIcon(copy, image) {
  copy = copy || {};
  this.image = image || copy.image || null;
  this.shadow = copy.shadow || null;
  this.iconSize = copy.iconSize || null;
  this.shadowSize = copy.shadowSize || null;
  this.iconAnchor = copy.iconAnchor || null;
  this.infoWindowAnchor = copy.infoWindowAnchor || null;
}

// The standard pin: Leaflet's marker picture, anchored at its point.
export var G_DEFAULT_ICON = new GIcon();
G_DEFAULT_ICON.image = leafletImage('marker-icon.png');
G_DEFAULT_ICON.shadow = leafletImage('marker-shadow.png');
G_DEFAULT_ICON.iconSize = new GSize(25, 41);
G_DEFAULT_ICON.shadowSize = new GSize(41, 41);
G_DEFAULT_ICON.iconAnchor = new GPoint(12, 41);
G_DEFAULT_ICON.infoWindowAnchor = new GPoint(13, 7);

// Leaflet icon of a GIcon. The shadow shares the icon's top-left corner, as in v2; a missing
// anchor falls back to the bottom centre.
function leafletIcon(icon) {
  var size = icon.iconSize ? [icon.iconSize.width, icon.iconSize.height] : null;
  var anchor = icon.iconAnchor ? [icon.iconAnchor.x, icon.iconAnchor.y]
                               : (size ? [Math.round(size[0] / 2), size[1]] : [0, 0]);
  var info = icon.infoWindowAnchor ? [icon.infoWindowAnchor.x, icon.infoWindowAnchor.y] : [anchor[0], 0];
  var options = {
    iconUrl: icon.image || BLANK_TILE,
    iconSize: size,
    iconAnchor: anchor,
    popupAnchor: [info[0] - anchor[0], info[1] - anchor[1]]
  };
  if (icon.shadow) {
    options.shadowUrl = icon.shadow;
    options.shadowSize = icon.shadowSize ? [icon.shadowSize.width, icon.shadowSize.height] : size;
    options.shadowAnchor = anchor;
  }
  return L.icon(options);
}

export function GMarker(point, iconOrOptions) {
  this.__gevents = {};
  var options = iconOrOptions instanceof GIcon ? { icon: iconOrOptions } : (iconOrOptions || {});
  this._icon = options.icon instanceof GIcon ? options.icon : G_DEFAULT_ICON;
  this._point = point;
  this._owner = null;
  var lIcon = leafletIcon(this._icon);
  this._popupAnchor = L.point(lIcon.options.popupAnchor);
  this._layer = L.marker(toLeafletLatLng(point), {
    icon: lIcon,
    title: options.title || '',
    keyboard: false,
    riseOnHover: false
  });
  var self = this;
  this._layer.on('click', function () { GEvent.trigger(self, 'click', self._point); });
}
GMarker.prototype.getPoint = function () { return this._point; };
GMarker.prototype.getLatLng = GMarker.prototype.getPoint;
GMarker.prototype.getIcon = function () { return this._icon; };
GMarker.prototype.setPoint = function (point) {
  this._point = point;
  this._layer.setLatLng(toLeafletLatLng(point));
};
GMarker.prototype.setLatLng = GMarker.prototype.setPoint;
GMarker.prototype.openInfoWindowHtml = function (html) {
  if (this._owner) this._owner._openInfoWindow(this._point, html, this._popupAnchor);
};
GMarker.prototype.closeInfoWindow = function () {
  if (this._owner) this._owner.closeInfoWindow();
};
GMarker.prototype.hide = function () { this._layer.setOpacity(0); };
GMarker.prototype.show = function () { this._layer.setOpacity(1); };

// A polyline keeps its positions as latitude, longitude pairs in a typed array until it is
// put on a map; from then on the map's route store holds them (see route-layer.js) and they
// are read back from there.
export function GPolyline(points, color, weight, opacity) {
  this.__gevents = {};
  this._owner = null;
  var given = points && points.length > 0 ? points.length : 0;
  var positions = new Float64Array(2 * given);
  var n = 0;
  for (var i = 0; i < given; i++) {
    var p = points[i];
    // A position that is no number has nowhere to be drawn; the line goes on without it.
    if (p && isFinite(p.y) && isFinite(p.x)) {
      positions[2 * n] = +p.y;
      positions[2 * n + 1] = +p.x;
      n++;
    }
  }
  this._positions = n === given ? positions : positions.slice(0, 2 * n);
  this._style = lineStyle(color, weight, opacity);
  this._store = null;
  this._piece = -1;
}
GPolyline.prototype.getVertexCount = function () {
  return this._store ? this._store.count[this._piece] : this._positions.length / 2;
};
GPolyline.prototype.getVertex = function (i) {
  if (!(i >= 0 && i < this.getVertexCount())) return undefined;
  return this._store ? new GLatLng(this._store.lat(this._piece, i), this._store.lng(this._piece, i))
                     : new GLatLng(this._positions[2 * i], this._positions[2 * i + 1]);
};
GPolyline.prototype.getBounds = function () {
  var b = new GLatLngBounds();
  for (var i = 0; i < this.getVertexCount(); i++) b.extend(this.getVertex(i));
  return b;
};
// On a map the store holds the line's positions and style: a long ride has many thousands.
GPolyline.prototype._moveInto = function (store) {
  this._piece = store.add(this._positions, this._style);
  this._store = store;
  this._positions = null;
  this._style = null;
};
GPolyline.prototype._moveOut = function () {
  this._style = this._store.styles[this._store.style[this._piece]];
  this._positions = this._store.remove(this._piece);
  this._store = null;
  this._piece = -1;
};
