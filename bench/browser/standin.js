// A do-nothing stand-in of the map functions: what the page's own script costs by itself.
(function () {
  function nop() {}
  function Obj() {}
  Obj.prototype = {
    addControl: nop, addOverlay: nop, setCenter: nop, setMapType: nop, setPoint: nop, openInfoWindowHtml: nop,
    getBoundsZoomLevel: function () { return 10; },
    getCenter: function () { return new GLatLng(0, 0); },
    getBounds: function () { return { contains: function () { return true; } }; }
  };
  window.GMap2 = Obj;
  window.GLatLng = function (lat, lng) { this.y = lat; this.x = lng; };
  window.GLatLng.prototype.lat = function () { return this.y; };
  window.GLatLng.prototype.lng = function () { return this.x; };
  window.GLatLngBounds = function () {};
  window.GPolyline = window.GMarker = window.GIcon = window.GSize = window.GPoint = Obj;
  window.GSmallMapControl = window.GLargeMapControl = window.GMapTypeControl = Obj;
  window.GScaleControl = window.GOverviewMapControl = Obj;
  window.GEvent = { addListener: nop };
  window.G_NORMAL_MAP = window.G_SATELLITE_MAP = window.G_HYBRID_MAP = {};
  window.GBrowserIsCompatible = function () { return true; };
  window.GUnload = nop;
})();
