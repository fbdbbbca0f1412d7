#!/usr/bin/env bash
# Renders the application icon's PNG sizes from packaging/icons/trackalbum.svg. The PNGs are
# committed (the build does not need librsvg); run this after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null || { echo "make-icons: rsvg-convert missing (Debian: librsvg2-bin)" >&2; exit 1; }
for size in 48 128; do
  rsvg-convert --width "$size" --height "$size" --format png \
    packaging/icons/trackalbum.svg --output "packaging/icons/trackalbum-$size.png"
done
