#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/*_fuzz.cpp) with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, and runs each for a bounded time.
#   bash scripts/fuzz.sh [TARGET|all] [SECONDS]       e.g. bash scripts/fuzz.sh gpx_reader_fuzz 60
# Per target, optional files next to its source:
#   fuzz/TARGET.seeds  folders (one a line, relative to the checkout) whose files seed the corpus
#   fuzz/TARGET.dict   a libFuzzer dictionary
# The growing corpus lives in fuzz/corpus-TARGET/, crashes land in fuzz/artifacts/; leaks
# inside the system's codec libraries are suppressed by fuzz/lsan.supp.
# FUZZ_MAX_LEN (default 65536) bounds the input size; larger seeds are read up to it.
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-all}
seconds=${2:-60}
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  CC=clang CXX=clang++ cmake -S . -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTRACKALBUM_FUZZ=ON -DTRACKALBUM_SANITIZE=address,undefined \
    -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
    -DTRACKALBUM_TESTS=OFF -DTRACKALBUM_BENCH=OFF >/dev/null
fi

targets=()
if [ "$target" = all ]; then
  for source in fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
else
  targets=("$target")
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=fuzz/lsan.supp}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
mkdir -p fuzz/artifacts
status=0
for t in "${targets[@]}"; do
  [ -f "fuzz/$t.cpp" ] || { echo "no such fuzz target: fuzz/$t.cpp" >&2; exit 2; }
  cmake --build "$build_dir" --target "$t" --parallel 2
  corpus=fuzz/corpus-$t
  mkdir -p "$corpus"
  seeds=()
  if [ -f "fuzz/$t.seeds" ]; then
    while IFS= read -r dir; do
      [ -n "$dir" ] && [ -d "$dir" ] && seeds+=("$dir")
    done < "fuzz/$t.seeds"
  fi
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -max_len="${FUZZ_MAX_LEN:-65536}"
           -artifact_prefix="fuzz/artifacts/$t-")
  [ -f "fuzz/$t.dict" ] && options+=(-dict="fuzz/$t.dict")
  echo "== $t for $seconds s (seeds: ${seeds[*]:-none})"
  "$build_dir/fuzz/$t" "${options[@]}" "$corpus" "${seeds[@]}" || status=$?
done
exit $status
