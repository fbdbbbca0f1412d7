// Shared by the route tests: rides and pieces in a route store, views, and painting them
// into a pixel buffer as the map does.
import { RouteStore } from '../../src/runtime/route-store.js';
import { buildDisplayList } from '../../src/runtime/display-list.js';
import { paintRoute } from '../../src/runtime/route-paint.js';
import { Raster } from '../../src/runtime/route-raster.js';
import { projectX, projectY } from '../../src/runtime/projection.js';
import { lineStyle } from '../../src/runtime/settings.js';

export function seeded(seed) {
  let state = seed;
  return () => ((state = (Math.imul(state, 1664525) + 1013904223) >>> 0) / 2 ** 32);
}

// A wandering ride of n [lat, lng] positions about `metres` apart, near Tokyo.
export function walk(n, metres, seed = 7) {
  const rand = seeded(seed);
  const out = [];
  let lat = 35.6, lng = 139.7, heading = 0;
  for (let i = 0; i < n; i++) {
    heading += (rand() - 0.5) * 0.8;
    lat += metres * Math.cos(heading) / 111320;
    lng += metres * Math.sin(heading) / 90000;
    out.push([lat, lng]);
  }
  return out;
}

// Cuts a ride into pieces of 2..5 positions that share their end points, as the pages do,
// each with a style drawn from `styles`.
export function cut(ride, styles, seed = 3) {
  const rand = seeded(seed);
  const pieces = [];
  for (let i = 0; i < ride.length - 1;) {
    const end = Math.min(ride.length - 1, i + 1 + Math.floor(rand() * 4));
    pieces.push({ positions: ride.slice(i, end + 1), style: styles[Math.floor(rand() * styles.length)] });
    i = end;
  }
  return pieces;
}

export const style = (color, weight = 5, opacity) => lineStyle(color, weight, opacity);

export function storeOf(pieces) {
  const store = new RouteStore();
  for (const p of pieces) store.add(Float64Array.from(p.positions.flat()), p.style);
  return store;
}

// A view at zoom z whose centre is at lat, lng, w x h pixels.
export function viewAt(z, lat, lng, w = 64, h = 64) {
  const s = 2 ** z;
  const left = Math.round(projectX(lng) * s - w / 2), top = Math.round(projectY(lat) * s - h / 2);
  return { zoom: z, left, top, right: left + w, bottom: top + h };
}

// Where a position lies in the view, and the pixel that holds it.
export function pointOf(view, [lat, lng]) {
  const s = 2 ** view.zoom;
  return { x: projectX(lng) * s - view.left, y: projectY(lat) * s - view.top };
}

export function pixelOf(view, position) {
  const p = pointOf(view, position);
  return { x: Math.floor(p.x), y: Math.floor(p.y) };
}

// Paints the store as the map does at the view; `list` defaults to the zoom's display list.
export function paint(store, view, list = buildDisplayList(store, view.zoom), raster) {
  const width = view.right - view.left, height = view.bottom - view.top;
  raster = raster || new Raster(new Uint8ClampedArray(4 * width * height), width, height);
  paintRoute(raster, store, list, view, 1);
  const pixels = raster.pixels;
  return {
    width, height, pixels,
    at: (x, y) => (x < 0 || y < 0 || x >= width || y >= height ? [0, 0, 0, 0] : [...pixels.subarray(4 * (y * width + x), 4 * (y * width + x) + 4)])
  };
}

// Distance from (px, py) to the segment a-b.
export function segmentDistance(px, py, ax, ay, bx, by) {
  const dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
  const t = len2 ? Math.max(0, Math.min(1, ((px - ax) * dx + (py - ay) * dy) / len2)) : 0;
  return Math.hypot(px - ax - t * dx, py - ay - t * dy);
}

export const rgba = (color, alpha = 255) => [1, 3, 5].map((k) => parseInt(color.slice(k, k + 2), 16)).concat(alpha);
