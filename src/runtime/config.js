// Tile services and language, read once when the runtime loads. Apply writes the tile settings
// as `var TrackalbumTiles = {...};` in front of this script; the built-in copies below cover a
// missing object or field, so a hand-assembled runtime still shows a map.

var DEFAULT_TILES = {
  normal: {
    url: 'https://tile.openstreetmap.org/{z}/{x}/{y}.png',
    attribution: '&copy; <a href="https://www.openstreetmap.org/copyright">OpenStreetMap</a> contributors',
    maxZoom: 19
  },
  aerial: {
    url: 'https://cyberjapandata.gsi.go.jp/xyz/seamlessphoto/{z}/{x}/{y}.jpg',
    attribution: '<a href="https://maps.gsi.go.jp/development/ichiran.html">地理院タイル</a>',
    maxZoom: 18
  },
  overlay: { url: '', attribution: '', maxZoom: 18 }
};

function readTileConfig(given) {
  var out = {};
  ['normal', 'aerial', 'overlay'].forEach(function (name) {
    var def = DEFAULT_TILES[name];
    var src = (given && typeof given === 'object' && given[name] && typeof given[name] === 'object') ? given[name] : {};
    var zoom = Number(src.maxZoom);
    out[name] = {
      url: typeof src.url === 'string' ? src.url : def.url,
      attribution: typeof src.attribution === 'string' ? src.attribution : def.attribution,
      maxZoom: isFinite(zoom) ? Math.max(0, Math.min(22, Math.floor(zoom))) : def.maxZoom
    };
  });
  return out;
}

// The pages load us as ./maps?file=api&v=2[&hl=ja]&key=KEY; the key fills {key} in templates.
function readScriptAddress(src) {
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

var TILES = readTileConfig(typeof TrackalbumTiles !== 'undefined' ? TrackalbumTiles : undefined);
var SCRIPT = readScriptAddress(document.currentScript ? document.currentScript.src : '');
