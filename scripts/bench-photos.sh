#!/usr/bin/env bash
# Times the photo folder scan (1,000 camera JPEGs on local disk, warm cache: taken times from
# the Exif sub-directory and positions from the GPS directory) against exiftool and exiv2, and
# the scan of 1,000 HEIF pictures; then the placement of 1,000 photos on a 1,000,000-point
# track against one pass over its points.
#   BASELINE=<git revision> bash scripts/bench-photos.sh   # also that revision's scan, same folder
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target photo_scan_bench placement_bench -j2 >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Camera JPEGs only, known by their first bytes (the corpus holds a HEIF named .jpg).
mkdir -p "$scratch/jpeg" "$scratch/heif"
for file in examples/photos/* tests/data/* ../shared/corpus/jpeg/*; do
  [ -f "$file" ] || continue
  case "$(head -c 2 "$file" | od -An -tx1 | tr -d ' \n')" in
    ffd8) cp "$file" "$scratch/jpeg/$(echo "$file" | tr / _)" ;;
  esac
done
for file in tests/data/phone-turned.heic tests/data/heif-named.JPG ../shared/corpus/heic/*; do
  [ -f "$file" ] && cp "$file" "$scratch/heif/"
done
"$build_dir/bench/photo_scan_bench" "$build_dir/photo-scan-bench-folder" "$scratch/jpeg" --heif "$scratch/heif"
if [ -n "${BASELINE:-}" ]; then
  # The scan as it was at BASELINE, built from that revision's sources alone, on the same folder.
  git archive "$BASELINE" src bench | tar -x -C "$scratch"
  (cd "$scratch" && g++ -std=c++20 -O2 -g -DNDEBUG -ffp-contract=off -Isrc bench/photo_scan_bench.cpp \
     src/photos/PictureList.cpp src/photos/PictureRecord.cpp src/photos/ExifReader.cpp \
     src/platform/DirectoryListing.cpp src/platform/FileTimes.cpp src/platform/CFormat.cpp src/gps/TimeValue.cpp \
     -o baseline_scan_bench)
  echo "--- the scan at $BASELINE, same folder:"
  "$scratch/baseline_scan_bench" "$build_dir/photo-scan-bench-folder" "$scratch/jpeg" | grep -E "^folder|^Scan"
fi
"$build_dir/bench/placement_bench" 1000000 1000
