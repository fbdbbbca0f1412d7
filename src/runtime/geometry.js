// Positions, bounds, pixel points and sizes with the v2 method names the pages call.

export function wrapLng(lng) {
  if (lng >= -180 && lng < 180) return lng;
  var w = ((lng + 180) % 360 + 360) % 360 - 180;
  return w;
}

export function GLatLng(lat, lng, unbounded) {
  lat = +lat;
  lng = +lng;
  if (!unbounded) {
    lat = lat < -90 ? -90 : (lat > 90 ? 90 : lat);
    if (lng !== 180) lng = wrapLng(lng);
  }
  this.y = lat;
  this.x = lng;
}
GLatLng.prototype.lat = function () { return this.y; };
GLatLng.prototype.lng = function () { return this.x; };
GLatLng.prototype.latRadians = function () { return this.y * Math.PI / 180; };
GLatLng.prototype.lngRadians = function () { return this.x * Math.PI / 180; };
GLatLng.prototype.equals = function (other) {
  return !!other && Math.abs(this.y - other.y) < 1e-9 && Math.abs(this.x - other.x) < 1e-9;
};
// Great-circle distance in metres on a sphere of the earth's mean radius.
var EARTH_RADIUS = 6371000;
GLatLng.prototype.distanceFrom = function (other) {
  var rad = Math.PI / 180;
  var sinLat = Math.sin((other.y - this.y) * rad / 2);
  var sinLng = Math.sin((other.x - this.x) * rad / 2);
  var a = sinLat * sinLat + Math.cos(this.y * rad) * Math.cos(other.y * rad) * sinLng * sinLng;
  return 2 * EARTH_RADIUS * Math.atan2(Math.sqrt(a), Math.sqrt(1 - a));
};
GLatLng.prototype.toUrlValue = function (precision) {
  var p = precision === undefined ? 6 : precision;
  return +this.y.toFixed(p) + ',' + +this.x.toFixed(p);
};
GLatLng.prototype.toString = function () { return '(' + this.y + ', ' + this.x + ')'; };

// Leaflet takes any object with lat and lng.
export function toLeafletLatLng(p) { return { lat: p.y, lng: p.x }; }
export function fromLeafletLatLng(ll) { return new GLatLng(ll.lat, ll.lng); }

// Latitudes form a plain interval (the pages pass the north-west corner first, so the two
// corners are sorted); longitudes run eastwards from the first corner to the second and may
// cross the antimeridian, as in v2.
export function GLatLngBounds(sw, ne) {
  this._empty = true;
  if (sw) this.extend(sw);
  if (ne) {
    if (sw) {
      this._south = Math.min(this._south, ne.y);
      this._north = Math.max(this._north, ne.y);
      this._east = ne.x;
    } else {
      this.extend(ne);
    }
  }
}
GLatLngBounds.prototype._lngSpan = function () {
  if (this._empty) return 0;
  if (this._full) return 360;
  var span = this._east - this._west;
  return span < 0 ? span + 360 : span;
};
GLatLngBounds.prototype.extend = function (p) {
  if (this._empty) {
    this._south = this._north = p.y;
    this._west = this._east = p.x;
    this._empty = false;
    return;
  }
  this._south = Math.min(this._south, p.y);
  this._north = Math.max(this._north, p.y);
  if (this._containsLng(p.x)) return;
  // Grow towards the nearer side, as a track would.
  var toEast = ((p.x - this._east) % 360 + 360) % 360;
  var toWest = ((this._west - p.x) % 360 + 360) % 360;
  if (toEast <= toWest) this._east = p.x; else this._west = p.x;
};
GLatLngBounds.prototype._containsLng = function (lng) {
  if (this._full) return true;
  var off = ((lng - this._west) % 360 + 360) % 360;
  return off <= this._lngSpan() + 1e-9;
};
GLatLngBounds.prototype.contains = function (p) {
  if (this._empty || !p) return false;
  return p.y >= this._south - 1e-9 && p.y <= this._north + 1e-9 && this._containsLng(p.x);
};
GLatLngBounds.prototype.containsLatLng = GLatLngBounds.prototype.contains;
GLatLngBounds.prototype.isEmpty = function () { return this._empty; };
GLatLngBounds.prototype.getSouthWest = function () { return new GLatLng(this._south, this._west); };
GLatLngBounds.prototype.getNorthEast = function () { return new GLatLng(this._north, this._east); };
GLatLngBounds.prototype.getCenter = function () {
  return new GLatLng((this._south + this._north) / 2, this._west + this._lngSpan() / 2);
};
GLatLngBounds.prototype.toSpan = function () {
  return new GLatLng(this._north - this._south, this._lngSpan(), true);
};
GLatLngBounds.prototype.toString = function () {
  return '(' + this.getSouthWest() + ', ' + this.getNorthEast() + ')';
};

// The visible area of a Leaflet map; a view wider than the world contains every longitude.
export function boundsFromLeaflet(lb) {
  var b = new GLatLngBounds();
  var sw = lb.getSouthWest(), ne = lb.getNorthEast();
  b._empty = false;
  b._south = sw.lat;
  b._north = ne.lat;
  b._west = wrapLng(sw.lng);
  b._east = wrapLng(ne.lng);
  b._full = ne.lng - sw.lng >= 360;
  return b;
}

export function GPoint(x, y) { this.x = +x || 0; this.y = +y || 0; }
GPoint.prototype.equals = function (o) { return !!o && o.x === this.x && o.y === this.y; };
GPoint.prototype.toString = function () { return '(' + this.x + ', ' + this.y + ')'; };

export function GSize(width, height) { this.width = +width || 0; this.height = +height || 0; }
GSize.prototype.equals = function (o) { return !!o && o.width === this.width && o.height === this.height; };
GSize.prototype.toString = function () { return '(' + this.width + ', ' + this.height + ')'; };
