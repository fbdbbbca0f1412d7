#!/usr/bin/env bash
# Builds the photo copy tests with ThreadSanitizer (in build-tsan) and runs them; any race
# report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build-tsan}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRACKALBUM_SANITIZE=thread -DTRACKALBUM_BENCH=OFF >/dev/null
fi
cmake --build "$build_dir" --target test_photos -j2
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}" \
  "$build_dir/tests/test_photos" --gtest_filter='PhotoCopy*:ShrinkFilter*'
