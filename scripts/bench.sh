#!/usr/bin/env bash
# Runs every benchmark group in turn; each generates its data into bench/data/ when missing.
set -euo pipefail
cd "$(dirname "$0")/.."
for group in gps apply image photos copy charts picture-list shell browser view; do
  echo "=== $group"
  bash "scripts/bench-$group.sh"
  echo
done
