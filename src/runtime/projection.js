// Web Mercator at zoom 0: the world is 256 units square, x east from longitude -180, y south
// from the northern limit. A view at zoom z multiplies these by 2^z to get screen pixels, so
// everything measured here once holds at every zoom.

export const WORLD = 256;
export const MAX_LATITUDE = 85.0511287798;

export function projectX(lng) {
  return (lng + 180) / 360 * WORLD;
}

export function projectY(lat) {
  var clamped = Math.max(-MAX_LATITUDE, Math.min(MAX_LATITUDE, lat));
  var s = Math.sin(clamped * Math.PI / 180);
  return (0.5 - Math.log((1 + s) / (1 - s)) / (4 * Math.PI)) * WORLD;
}

export function unprojectX(x) {
  return x / WORLD * 360 - 180;
}

export function unprojectY(y) {
  return (2 * Math.atan(Math.exp((0.5 - y / WORLD) * 2 * Math.PI)) - Math.PI / 2) * 180 / Math.PI;
}

// The longitude within half a turn of the one before, so a track that crosses the
// antimeridian runs the short way instead of around the world.
export function unwrapLongitude(lng, prev) {
  var d = lng - prev;
  if (d > 180 || d < -180) return prev + ((d + 180) % 360 + 360) % 360 - 180;
  return lng;
}
