#!/usr/bin/env bash
# Sets up the machine, builds the two programs (the map runtime is built into them; the tests
# and benchmarks are left to scripts/test.sh), and runs Apply on the bundled sample outing.
# The pages land in sample-output/html; the last line printed is the address of the page to open.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh trackalbum trackalbum-cli
mkdir -p sample-output
exec "${BUILD_DIR:-build}/trackalbum-cli" --gpx examples/walk.gpx --photos examples/photos \
  --page-name "里山さんぽ" --tz 9 --clock-minutes -3 --compression 100 --copy-photos \
  -C sample-output "$@"
