#!/usr/bin/env bash
# Whole Apply on the 1,000,000-point GPX at compression 0 and 200, each in a process of its
# own (so that peak RSS belongs to one run), against load + analyse and a plain write of the
# pages' bytes. Generates the GPX into bench/data/ when missing.
#   bash scripts/bench-apply.sh [GPX]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
[ -f "$build_dir/CMakeCache.txt" ] || BUILD_DIR=$build_dir bash scripts/build.sh
cmake --build "$build_dir" --target make_bench_gpx apply_bench --parallel 2 >/dev/null
gpx=${1:-bench/data/track-1000000.gpx}
if [ ! -s "$gpx" ]; then
  mkdir -p "$(dirname "$gpx")"
  echo "generating $gpx"
  "$build_dir/make_bench_gpx" "$gpx.tmp" 1000000 && mv "$gpx.tmp" "$gpx"
fi
out=$(mktemp -d "${TMPDIR:-/tmp}/apply-bench-XXXXXX")
trap 'rm -rf "$out"' EXIT
for compression in 0 200; do
  "$build_dir/bench/apply_bench" "$gpx" "$compression" "$out"
  echo
done
