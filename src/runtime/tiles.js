// The three map types and their tile layers.
import { L, TemplateTileLayer } from './leaflet.js';
import { LABELS, SCRIPT, TILES } from './environment.js';

export var BLANK_TILE = 'data:image/gif;base64,R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7';

export function createTileLayer(conf, extra) {
  if (!conf.url) return null;
  return new TemplateTileLayer(conf.url, L.extend({
    attribution: conf.attribution,
    maxZoom: conf.maxZoom,
    maxNativeZoom: conf.maxZoom,
    errorTileUrl: BLANK_TILE,
    key: SCRIPT.key
  }, extra || {}));
}

export function GMapType(id, label) {
  this._id = id;
  this._label = label;
}
GMapType.prototype.getName = function () { return LABELS[this._label]; };

export var G_NORMAL_MAP = new GMapType('normal', 'normal');
export var G_SATELLITE_MAP = new GMapType('aerial', 'aerial');
export var G_HYBRID_MAP = new GMapType('hybrid', 'hybrid');
export var G_DEFAULT_MAP_TYPES = [G_NORMAL_MAP, G_SATELLITE_MAP, G_HYBRID_MAP];

// Layers of one map type, bottom first, and the zoom the type goes up to.
export function layersForType(type) {
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
