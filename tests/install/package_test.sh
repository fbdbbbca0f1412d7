#!/usr/bin/env bash
# The .deb: made by CPack, dependencies from dpkg-shlibdeps; unpacked into a temporary root,
# its files validate and its trackalbum-cli runs the sample outing with nothing from the build
# folder.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION DESKTOP(1 when built)
source "$(dirname "$0")/checks.sh"
build=$1 source=$2 version=$3 desktop=$4
make_scratch
(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/cpack" >/dev/null)
deb=$(ls "$scratch"/cpack/trackalbum_"$version"_*.deb)

[ "$(dpkg-deb -f "$deb" Package)" = trackalbum ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for library in libc6 libstdc++6 libexpat1 libjpeg62-turbo libpng16-16 libgif7 libfreetype6 libfontconfig1 fonts-liberation; do
  grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
done

root="$scratch/unpacked root"
dpkg -x "$deb" "$root"
check_tree "$root/usr" "$version" "$desktop"
for program in "$root"/usr/bin/*; do
  if readelf -d "$program" | grep -Eq 'RPATH|RUNPATH'; then fail "run path left in $program"; fi
  if grep -aqF "$build" "$program"; then fail "$program names the build folder"; fi
done
if [ "$desktop" = 1 ]; then
  for library in libwxgtk3.2-1 libwxgtk-webview3.2-1; do
    grep -qxF "$library" <<<"$names" || fail "Depends lacks $library: $depends"
  done
fi
if [ -n "$(find "$root" -name '*.debug' -o -name '*.a')" ]; then fail "build leftovers in the package"; fi

run_sample "$root/usr/bin/trackalbum-cli" "$version" "$source" "$scratch/sample"
# Same outputs as the program in the build folder gives on the same outing.
run_sample "$build/trackalbum-cli" "$version" "$source" "$scratch/reference"
(cd "$scratch/sample/out put" && find . -type f | sort) >"$scratch/installed.list"
(cd "$scratch/reference/out put" && find . -type f | sort) >"$scratch/reference.list"
diff "$scratch/reference.list" "$scratch/installed.list" || fail "the installed program writes other files"
while read -r f; do
  if [[ $f == *.html ]]; then
    diff <(grep -v 'Outputted on' "$scratch/reference/out put/$f") <(grep -v 'Outputted on' "$scratch/sample/out put/$f") >/dev/null || fail "$f differs"
  else
    cmp -s "$scratch/reference/out put/$f" "$scratch/sample/out put/$f" || fail "$f differs"
  fi
done <"$scratch/installed.list"
run_read_only "$root/usr/bin/trackalbum-cli" "$source" "$scratch/read-only"
echo "package $(basename "$deb"): ok"
