#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need. Idempotent;
# runs as root (or through sudo) on a fresh Debian 12 machine.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libexpat1-dev libjpeg62-turbo-dev libpng-dev libgif-dev libheif-dev
  # The tests read the corpus facts with it.
  nlohmann-json3-dev
  libfreetype-dev libfontconfig-dev fonts-liberation
  libwxgtk3.2-dev
  # The desktop program: the web view (WebKitGTK), its tests under a virtual display,
  # Japanese text in the windows and their screenshots.
  libwxgtk-webview3.2-dev xvfb xauth fonts-noto-cjk
  # The pages' browser tests.
  chromium
  # The .deb (dpkg-shlibdeps, file) and the checks of the installed desktop entry and metainfo.
  dpkg-dev fakeroot file desktop-file-utils appstream librsvg2-bin
  locales
  nodejs
)
bench_packages=(libimage-exiftool-perl exiv2 libvips-tools imagemagick valgrind time)

missing=()
for p in "${packages[@]}" "${bench_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A comma-decimal locale, for the tests that prove numbers ignore the process locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf8$'; then
  $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# The map runtime's sources (Leaflet and its overview plugin) and the browser tests' driver,
# exactly as package-lock.json pins them. Skipped when node_modules already matches the lock.
repo="$(cd "$(dirname "$0")/.." && pwd)"
if [ -f "$repo/package-lock.json" ] && \
   ! cmp -s "$repo/package-lock.json" "$repo/node_modules/.package-lock.json.installed"; then
  echo "setup: npm ci"
  (cd "$repo" && npm ci --no-audit --no-fund --ignore-scripts >/dev/null &&
   cp package-lock.json node_modules/.package-lock.json.installed)
fi
