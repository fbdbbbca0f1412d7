#!/usr/bin/env bash
# The desktop program on a virtual display: start to panel shown, Apply in the program against
# the command line's Apply on a 100,000-point track with 200 photos, and the picture list
# filled with 1,000 photos. The inputs are made into bench/data/shell on the first run.
#   bash scripts/bench-shell.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
[ -f "$build_dir/CMakeCache.txt" ] || BUILD_DIR=$build_dir bash scripts/build.sh
cmake --build "$build_dir" --target make_bench_gpx shell_bench --parallel 2 >/dev/null
data=bench/data/shell
mkdir -p "$data"
gpx=$data/track-100000.gpx
[ -s "$gpx" ] || { "$build_dir/make_bench_gpx" "$gpx.tmp" 100000 && mv "$gpx.tmp" "$gpx"; }
# Copies of the sample photos (EXIF times on the track's day), renamed.
make_photos() {
  local folder=$1 count=$2
  [ "$(ls "$folder" 2>/dev/null | wc -l)" -eq "$count" ] && return
  rm -rf "$folder" && mkdir -p "$folder"
  local sources=(examples/photos/IMG_*.jpg)
  for ((i = 0; i < count; i++)); do
    cp "${sources[i % ${#sources[@]}]}" "$(printf '%s/P%04d.jpg' "$folder" "$i")"
  done
}
make_photos "$data/photos-200" 200
make_photos "$data/photos-1000" 1000
out=$(mktemp -d "${TMPDIR:-/tmp}/shell-bench-XXXXXX")
trap 'rm -rf "$out"' EXIT
xvfb-run -a -s '-screen 0 1280x900x24' "$build_dir/bench/shell_bench" "$gpx" "$data/photos-200" \
  "$data/photos-1000" "$out"
