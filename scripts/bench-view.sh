#!/usr/bin/env bash
# A written page in the desktop program's own view on a virtual display: shown to route
# painted, and the longest frame of four zoom steps, with a screenshot before and after each.
# Without an argument, the profile page of a 100,000-point ride from the bench generator
# (compression 0) is written and shown. VIEW_BENCH_OUT names the folder for the page and
# screenshots (default: a new one under TMPDIR).
#   bash scripts/bench-view.sh [PAGE.html]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
[ -f "$build_dir/CMakeCache.txt" ] || BUILD_DIR=$build_dir bash scripts/build.sh
cmake --build "$build_dir" --target trackalbum-cli make_bench_gpx view_zoom_bench --parallel 2 >/dev/null
out=${VIEW_BENCH_OUT:-$(mktemp -d "${TMPDIR:-/tmp}/view-bench-XXXXXX")}
mkdir -p "$out"
page=${1:-}
if [ -z "$page" ]; then
  "$build_dir/make_bench_gpx" "$out/ride.gpx" 100000
  TZ=Asia/Tokyo "$build_dir/trackalbum-cli" --gpx "$out/ride.gpx" --profile "$out/profile.ini" -C "$out" \
    --compression 0 >/dev/null
  page=$out/html/ride_route_grade.html
fi
xvfb-run -a -s '-screen 0 1280x900x24' "$build_dir/bench/view_zoom_bench" "$page" "$out"
