#!/usr/bin/env bash
# GPX reader benchmark: generates the 100k- and 1M-point files into bench/data/ when missing,
# then measures each in a process of its own (so that peak RSS belongs to one size).
#   bash scripts/bench-gps.sh [POINTS...]     (default: 100000 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
[ -f "$build_dir/CMakeCache.txt" ] || BUILD_DIR=$build_dir bash scripts/build.sh
cmake --build "$build_dir" --target make_bench_gpx gpx_bench --parallel 2 >/dev/null
mkdir -p bench/data
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 1000000)
for n in "${sizes[@]}"; do
  file=bench/data/track-$n.gpx
  if [ ! -s "$file" ]; then
    echo "generating $file"
    "$build_dir/make_bench_gpx" "$file.tmp" "$n" && mv "$file.tmp" "$file"
  fi
  "$build_dir/bench/gpx_bench" "$file"
  echo
done
