#!/usr/bin/env bash
# Image::Load of a 12-megapixel JPEG against a bare libjpeg-turbo decode of the same file.
# The photo is generated into bench/data/ on first use. Usage: scripts/bench-image.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
[ -f "$build_dir/CMakeCache.txt" ] || BUILD_DIR=$build_dir bash scripts/build.sh >/dev/null
cmake --build "$build_dir" --target image_load_bench -j2 >/dev/null
program=$(find "$build_dir" -name image_load_bench -type f -perm -u+x | head -n 1)
"$program" bench/data/photo-12mp.jpg "${1:-9}"
