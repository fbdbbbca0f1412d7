// What the program and the page hand the runtime: the tile services (the first line of the
// runtime file, `var TrackalbumTiles = {...};`, written by the program from its settings, the
// one place their defaults live), the script address's key and language, and the style a
// page asks of a line.

export var LAYER_NAMES = ['normal', 'aerial', 'overlay'];
export var MIN_ZOOM = 0;
export var MAX_ZOOM = 22;
var FALLBACK_ZOOM = 18;

// A layer that is missing or malformed has no service (an empty template): the map then
// shows the route over an empty background rather than stopping.
export function readTileConfig(given) {
  var out = {};
  LAYER_NAMES.forEach(function (name) {
    var src = (given && typeof given === 'object' && given[name] && typeof given[name] === 'object') ? given[name] : {};
    var zoom = Number(src.maxZoom);
    out[name] = {
      url: typeof src.url === 'string' ? src.url : '',
      attribution: typeof src.attribution === 'string' ? src.attribution : '',
      maxZoom: src.maxZoom !== null && src.maxZoom !== '' && isFinite(zoom)
        ? Math.max(MIN_ZOOM, Math.min(MAX_ZOOM, Math.floor(zoom))) : FALLBACK_ZOOM
    };
  });
  return out;
}

// The pages load us as ./maps?file=api&v=2[&hl=ja]&key=KEY; the key fills {key} in templates.
export function readScriptAddress(src) {
  var params = { key: '', japanese: false };
  if (!src) return params;
  var query = src.indexOf('?') >= 0 ? src.slice(src.indexOf('?') + 1).split('#')[0] : '';
  query.split('&').forEach(function (pair) {
    if (!pair) return;
    var eq = pair.indexOf('=');
    var name = eq >= 0 ? pair.slice(0, eq) : pair;
    var value = eq >= 0 ? pair.slice(eq + 1) : '';
    try { value = decodeURIComponent(value.replace(/\+/g, ' ')); } catch (e) { /* keep it raw */ }
    if (name === 'key') params.key = value;
    else if (name === 'hl') params.japanese = value.toLowerCase() === 'ja';
  });
  return params;
}

export var DEFAULT_LINE_WIDTH = 5;
// The widest line the settings' own controls offer; a wider one typed in would bury the map.
export var MAX_LINE_WIDTH = 100;

export function lineStyle(color, weight, opacity) {
  var w = Number(weight);
  var o = Number(opacity);
  return {
    color: /^#[0-9a-fA-F]{6}$/.test(color) ? color : '#0000FF',
    weight: w > 0 ? Math.min(w, MAX_LINE_WIDTH) : DEFAULT_LINE_WIDTH,
    opacity: opacity !== undefined && opacity !== null && o >= 0 && o <= 1 ? o : 1
  };
}
