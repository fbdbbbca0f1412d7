#!/usr/bin/env bash
# Picture list benchmark: filling the list with 1,000 photos, and moving the selection
# through 200 twelve-megapixel photos (generated into bench/data/picture_list on the first
# run), on a virtual display.
#   COUNT=50 bash scripts/bench-picture-list.sh     # fewer photos for a quick look
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" --target picture_list_bench -j2 >/dev/null
xvfb-run -a -s "-screen 0 1280x900x24" "$build_dir/bench/picture_list_bench" bench/data "${COUNT:-200}"
