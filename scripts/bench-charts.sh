#!/usr/bin/env bash
# Times both charts of a 1,000,000-point track; with a GPX file (argument, or the largest
# file in bench/data) also its load, so the two can be compared.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target chart_bench -j2 >/dev/null
gpx=${1:-}
if [ -z "$gpx" ] && [ -d bench/data ]; then
  gpx=$(ls -S bench/data/*.gpx 2>/dev/null | head -n 1 || true)
fi
"$build_dir/bench/chart_bench" 1000000 ${gpx:+"$gpx"}
