#!/usr/bin/env bash
# Photo reduction benchmark: 200 twelve-megapixel JPEGs (generated into bench/data/shrink on
# the first run) reduced to 160 pixels, against a bare libjpeg-turbo decode of each, and
# against vipsthumbnail and ImageMagick's convert on the same photos. All single-threaded.
# Then the photo copy's whole run with one thread and with one per core (photos with EXIF
# times in bench/data/photo_copy), wall-clock time, against vipsthumbnail. Then 200 phone HEIF
# photos of 12 megapixels (generated into bench/data/photo_heif) shrunk by the pool against
# vipsthumbnail, 20 of them copied at their own size as JPEGs, and the picture list's
# thumbnail of one with and without its embedded thumbnail.
#   COUNT=50 bash scripts/bench-copy.sh     # fewer photos for a quick look
#   ROUNDS=3 bash scripts/bench-copy.sh     # one thread and the pool alternately, the fastest counts
# The pool's gain shows only when both cores are free for it: on a busy machine the kernel
# shares the processor between sessions, not threads. There, run the script in a session of
# its own with a raised share, e.g. as root:
#   setsid bash -c 'echo -20 > /proc/self/autogroup && exec bash scripts/bench-copy.sh'
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build_dir" --target shrink_bench photo_copy_bench photo_heif_bench -j2 >/dev/null
# The real ImageMagick program, should a wrapper stand first in PATH.
convert_program=convert
for candidate in /usr/bin/convert-im6.q16 /usr/bin/convert; do
  if [ -x "$candidate" ]; then convert_program=$candidate; break; fi
done
export VIPS_CONCURRENCY=1 MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1
SHRINK_BENCH_CONVERT=$convert_program \
  "$build_dir/bench/shrink_bench" bench/data/shrink "${COUNT:-200}" "${DISTINCT:-8}"
unset VIPS_CONCURRENCY
"$build_dir/bench/photo_copy_bench" bench/data/photo_copy "${COUNT:-200}" "${DISTINCT:-8}" "${ROUNDS:-1}"
"$build_dir/bench/photo_heif_bench" bench/data/photo_heif "${HEIF_COUNT:-200}" "${DISTINCT:-8}" "${KEEP:-20}"
