#!/usr/bin/env bash
# Builds the .deb into build/ (or $BUILD_DIR): trackalbum_VERSION_ARCH.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build_dir=${BUILD_DIR:-build}
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$build_dir"/trackalbum_*.deb
