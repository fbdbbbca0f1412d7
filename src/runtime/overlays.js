// Markers, icons, polylines and the information window.

function GIcon(copy, image) {
  copy = copy || {};
  this.image = image || copy.image || null;
  this.shadow = copy.shadow || null;
  this.iconSize = copy.iconSize || null;
  this.shadowSize = copy.shadowSize || null;
  this.iconAnchor = copy.iconAnchor || null;
  this.infoWindowAnchor = copy.infoWindowAnchor || null;
}

// The standard pin: Leaflet's marker picture, anchored at its point.
var G_DEFAULT_ICON = new GIcon();
G_DEFAULT_ICON.image = LEAFLET_IMAGES['marker-icon.png'];
G_DEFAULT_ICON.shadow = LEAFLET_IMAGES['marker-shadow.png'];
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

function GMarker(point, iconOrOptions) {
  this.__gevents = {};
  var options = iconOrOptions instanceof GIcon ? { icon: iconOrOptions } : (iconOrOptions || {});
  this._icon = options.icon instanceof GIcon ? options.icon : G_DEFAULT_ICON;
  this._point = point;
  this._map = null;
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
  if (this._map) this._map._openInfoWindow(this._point, html, this._popupAnchor);
};
GMarker.prototype.closeInfoWindow = function () {
  if (this._map) this._map.closeInfoWindow();
};
GMarker.prototype.hide = function () { this._layer.setOpacity(0); };
GMarker.prototype.show = function () { this._layer.setOpacity(1); };

// A map draws its polylines in one Leaflet layer per style (see GMap2.addOverlay): a profile
// page adds thousands of short grade-coloured pieces, and one layer each made such a page
// slow to open, pan and zoom.
// Consecutive longitudes are kept within half a turn of each other, so a track that crosses
// the antimeridian is drawn the short way rather than around the world.
function GPolyline(points, color, weight, opacity) {
  this.__gevents = {};
  this._map = null;
  var lls = new Array(points ? points.length : 0);
  var prev = null;
  for (var i = 0; i < lls.length; i++) {
    var p = points[i];
    var lng = p.x;
    if (prev !== null) {
      while (lng - prev > 180) lng -= 360;
      while (prev - lng > 180) lng += 360;
    }
    prev = lng;
    lls[i] = new L.LatLng(p.y, lng);
  }
  this._points = points || [];
  this._latlngs = lls;
  this._style = {
    color: /^#[0-9a-fA-F]{6}$/.test(color) ? color : '#0000FF',
    weight: weight > 0 ? +weight : 5,
    opacity: opacity >= 0 && opacity <= 1 ? +opacity : 1,
    interactive: false,
    className: 'trackalbum-polyline'
  };
  this._styleKey = this._style.color.toLowerCase() + '|' + this._style.weight + '|' + this._style.opacity;
}
GPolyline.prototype.getVertexCount = function () { return this._points.length; };
GPolyline.prototype.getVertex = function (i) { return this._points[i]; };
GPolyline.prototype.getBounds = function () {
  var b = new GLatLngBounds();
  this._points.forEach(function (p) { b.extend(p); });
  return b;
};

// The bubble grows to its content, including a picture larger than the box the page's style
// gives it, and lays itself out again whenever a picture inside finishes (or fails) loading.
var InfoWindow = L.Popup.extend({
  _updateLayout: function () {
    var node = this._contentNode;
    var style = node.style;
    style.width = '';
    style.height = '';
    style.whiteSpace = 'nowrap';
    var width = Math.max(node.offsetWidth, node.scrollWidth, this.options.minWidth);
    style.width = (width + 1) + 'px';
    style.whiteSpace = '';
    if (node.scrollHeight > node.clientHeight) style.height = node.scrollHeight + 'px';
    this._containerWidth = this._container.offsetWidth;
  }
});
