#!/usr/bin/env bash
# cmake --install into a prefix with spaces; the installed files validate and run.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR VERSION DESKTOP(1 when built)
source "$(dirname "$0")/checks.sh"
build=$1 source=$2 version=$3 desktop=$4
make_scratch
prefix="$scratch/pre fix/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null
check_tree "$prefix" "$version" "$desktop"
run_sample "$prefix/bin/trackalbum-cli" "$version" "$source" "$scratch/sample"
run_read_only "$prefix/bin/trackalbum-cli" "$source" "$scratch/read-only"
echo "installed tree in a prefix with spaces: ok"
