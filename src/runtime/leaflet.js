// Everything that reaches into Leaflet's own fields and methods lives here, so that a new
// Leaflet version means reading one file. The rest of the runtime uses Leaflet's public API.
// LEAFLET_IMAGES (Leaflet's marker pictures as data addresses) is defined by the bundle.
import { expandTileTemplate } from './tile-template.js';

export var L = window.L;

export function isLoaded(map) {
  return !!map._loaded;
}

export function isRemoved(map) {
  return !map._container;
}

export function isZoomAnimated(map) {
  return !!map._zoomAnimated;
}

// Leaflet drops a zoom or pan asked for while a zoom animation runs: a quick second click
// would be lost. Such a request waits for the animation's end instead.
export function afterZoomAnimation(map, action) {
  if (map._animatingZoom) map.once('zoomend', action);
  else action();
}

// Where the top-left pixel of the world will be once a zoom animation to center, zoom ends.
export function newPixelOrigin(map, center, zoom) {
  return map._getNewPixelOrigin(center, zoom);
}

export function leafletImage(name) {
  return LEAFLET_IMAGES[name];
}

// Tiles from a template with {z} {x} {y} {s} {key} {r}.
export var TemplateTileLayer = L.TileLayer.extend({
  getTileUrl: function (coords) {
    return expandTileTemplate(this._url, {
      z: this._getZoomForUrl(),
      x: coords.x,
      y: coords.y,
      s: this._getSubdomain(coords),
      key: this.options.key || '',
      r: L.Browser.retina ? '@2x' : ''
    });
  }
});

// The bubble grows to its content, including a picture larger than the box the page's style
// gives it, and lays itself out again whenever a picture inside finishes (or fails) loading.
export var InfoWindow = L.Popup.extend({
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
