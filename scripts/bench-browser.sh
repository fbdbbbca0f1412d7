#!/usr/bin/env bash
# "Route drawn" of 100,000- and 1,000,000-point pages with the map runtime against a do-nothing
# stand-in, and frames per second of a scripted pan and zoom (headless chromium).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target trackalbum-cli -j2 >/dev/null
TRACKALBUM_CLI="$(realpath "$build_dir/trackalbum-cli")" node bench/browser/route_drawn.mjs "$@"
