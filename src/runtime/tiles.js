// The three map types and their tile layers. Templates take {z} {x} {y} {s} and {key}; any other
// brace text is left as written, so an odd template still loads (or fails) tile by tile
// instead of stopping the page.

var BLANK_TILE = 'data:image/gif;base64,R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7';

var TemplateTileLayer = L.TileLayer.extend({
  getTileUrl: function (coords) {
    var layer = this;
    var values = {
      z: this._getZoomForUrl(),
      x: coords.x,
      y: coords.y,
      s: this._getSubdomain(coords),
      key: encodeURIComponent(this.options.key || ''),
      r: L.Browser.retina ? '@2x' : ''
    };
    return this._url.replace(/\{(z|x|y|s|key|r)\}/g, function (all, name) {
      return String(values[name]);
    });
  }
});

function createTileLayer(conf, extra) {
  if (!conf.url) return null;
  return new TemplateTileLayer(conf.url, L.extend({
    attribution: conf.attribution,
    maxZoom: conf.maxZoom,
    maxNativeZoom: conf.maxZoom,
    errorTileUrl: BLANK_TILE,
    key: SCRIPT.key
  }, extra || {}));
}

function GMapType(id, label) {
  this._id = id;
  this._label = label;
}
GMapType.prototype.getName = function () { return LABELS[this._label]; };

var G_NORMAL_MAP = new GMapType('normal', 'normal');
var G_SATELLITE_MAP = new GMapType('aerial', 'aerial');
var G_HYBRID_MAP = new GMapType('hybrid', 'hybrid');
var G_DEFAULT_MAP_TYPES = [G_NORMAL_MAP, G_SATELLITE_MAP, G_HYBRID_MAP];

// Layers of one map type, bottom first, and the zoom the type goes up to.
function layersForType(type) {
  var layers = [];
  var maxZoom;
  if (type === G_SATELLITE_MAP || type === G_HYBRID_MAP) {
    layers.push(createTileLayer(TILES.aerial));
    maxZoom = TILES.aerial.maxZoom;
    if (type === G_HYBRID_MAP) {
      // Without an overlay service the street map is laid over the photos, half transparent.
      layers.push(TILES.overlay.url ? createTileLayer(TILES.overlay)
                                    : createTileLayer(TILES.normal, { opacity: 0.5 }));
    }
  } else {
    layers.push(createTileLayer(TILES.normal));
    maxZoom = TILES.normal.maxZoom;
  }
  return { layers: layers.filter(function (l) { return l; }), maxZoom: maxZoom };
}
