#!/usr/bin/env bash
# The map runtime in headless chromium on rides from the bench generator (compression 0):
# "route drawn" against a do-nothing stand-in, pan frame rate, the worst frame of each zoom
# step and the page's JavaScript heap. Arguments: ride sizes (default 500 100000 1000000).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target trackalbum-cli make_bench_gpx -j2 >/dev/null
TRACKALBUM_CLI="$(realpath "$build_dir/trackalbum-cli")" \
  node bench/browser/route_drawn.mjs "$(realpath "$build_dir/make_bench_gpx")" "$@"
