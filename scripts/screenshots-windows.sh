#!/usr/bin/env bash
# Pictures of the desktop program for the README: the main window after Apply on the sample
# outing, and each page of the control panel. Real windows on a virtual display, Japanese
# text in Noto CJK; the PNGs go to doc/images/ (or the folder given).
#   bash scripts/screenshots-windows.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
out=$(realpath -m "${1:-doc/images}")
[ -f "$build_dir/CMakeCache.txt" ] || BUILD_DIR=$build_dir bash scripts/build.sh
cmake --build "$build_dir" --target test_shell --parallel 2 >/dev/null
mkdir -p "$out"
TRACKALBUM_SCREENSHOT_DIR=$out xvfb-run -a -s '-screen 0 1280x900x24' \
  "$build_dir/tests/shell/test_shell" --gtest_also_run_disabled_tests \
  --gtest_filter='DISABLED_Screenshots.*' >/dev/null
ls "$out"/*.png
