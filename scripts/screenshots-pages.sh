#!/usr/bin/env bash
# Renders the README's screenshots of the sample's pages (route and photos, profile) with the
# built trackalbum-cli into doc/images, in Debian's chromium with stub tiles.
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${TRACKALBUM_CLI:-${BUILD_DIR:-build}/trackalbum-cli}"
if [ ! -x "$cli" ]; then
  echo "screenshots-pages: $cli not built (run: bash scripts/build.sh)" >&2
  exit 1
fi
TRACKALBUM_CLI="$(realpath "$cli")" node scripts/screenshots-pages.mjs
