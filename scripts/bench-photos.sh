#!/usr/bin/env bash
# Times the photo folder scan (1,000 JPEGs on local disk, warm cache) against exiftool and
# exiv2, and the placement of 1,000 photos on a 1,000,000-point track against one pass over
# its points.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target photo_scan_bench placement_bench -j2 >/dev/null
sources=(examples/photos)
[ -d ../shared/corpus/jpeg ] && sources+=(../shared/corpus/jpeg)
"$build_dir/bench/photo_scan_bench" "$build_dir/photo-scan-bench-folder" "${sources[@]}"
"$build_dir/bench/placement_bench" 1000000 1000
