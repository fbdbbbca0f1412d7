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

// Each longitude within half a turn of the one before, so a track that crosses the
// antimeridian runs the short way instead of around the world.
export function unwrapLongitudes(lngs) {
  for (var i = 1; i < lngs.length; i++) {
    var lng = lngs[i];
    var prev = lngs[i - 1];
    while (lng - prev > 180) lng -= 360;
    while (prev - lng > 180) lng += 360;
    lngs[i] = lng;
  }
  return lngs;
}

// Positions as x, y pairs in one typed array: no object per point is kept.
export function projectPositions(lats, lngs) {
  var xy = new Float64Array(lats.length * 2);
  for (var i = 0; i < lats.length; i++) {
    xy[2 * i] = projectX(lngs[i]);
    xy[2 * i + 1] = projectY(lats[i]);
  }
  return xy;
}
