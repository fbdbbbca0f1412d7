# Checks shared by the install and the package tests; sourced, not run.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

# A temporary folder whose path holds spaces, removed on exit; world-readable so that an
# unprivileged user can run what is installed into it.
make_scratch() {
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/trackalbum install XXXXXX")
  chmod 755 "$scratch"
  trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
}

# The installed tree below PREFIX holds every file, and the desktop entry and the metainfo
# pass their validators. DESKTOP is 1 when the desktop program was built.
check_tree() {
  local prefix=$1 version=$2 desktop=$3
  local f
  for f in bin/trackalbum-cli share/applications/trackalbum.desktop \
      share/metainfo/org.trackalbum.trackalbum.metainfo.xml \
      share/icons/hicolor/scalable/apps/trackalbum.svg share/icons/hicolor/48x48/apps/trackalbum.png \
      share/icons/hicolor/128x128/apps/trackalbum.png share/man/man1/trackalbum.1 share/man/man1/trackalbum-cli.1 \
      share/doc/trackalbum/LICENSE share/doc/trackalbum/THIRD_PARTY.md; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
  done
  if [ "$desktop" = 1 ]; then
    [ -x "$prefix/bin/trackalbum" ] || fail "not installed: bin/trackalbum"
    [ "$("$prefix/bin/trackalbum" --version)" = "trackalbum $version" ] || fail "trackalbum --version"
  fi
  [ "$(file -b --mime-type "$prefix/share/icons/hicolor/48x48/apps/trackalbum.png")" = image/png ] || fail "48 px icon is no PNG"
  file -b "$prefix/share/icons/hicolor/48x48/apps/trackalbum.png" | grep -q ' 48 x 48,' || fail "48 px icon has another size"
  file -b "$prefix/share/icons/hicolor/128x128/apps/trackalbum.png" | grep -q ' 128 x 128,' || fail "128 px icon has another size"

  desktop-file-validate "$prefix/share/applications/trackalbum.desktop" || fail "desktop entry"
  grep -qx 'Exec=trackalbum %f' "$prefix/share/applications/trackalbum.desktop" || fail "Exec line"
  grep -qx 'MimeType=application/gpx+xml;' "$prefix/share/applications/trackalbum.desktop" || fail "MimeType line"
  appstreamcli validate --no-net "$prefix/share/metainfo/org.trackalbum.trackalbum.metainfo.xml" || fail "metainfo"

  # One version everywhere.
  [ "$("$prefix/bin/trackalbum-cli" --version)" = "trackalbum-cli $version" ] || fail "--version"
  grep -q "<release version=\"$version\"" "$prefix/share/metainfo/org.trackalbum.trackalbum.metainfo.xml" || fail "metainfo release"
  grep -q "\"Trackalbum $version\"" "$prefix/share/man/man1/trackalbum-cli.1" || fail "man page version"
  man -l "$prefix/share/man/man1/trackalbum-cli.1" >/dev/null 2>&1 || fail "man page does not format"
}

# Runs the installed CLI on a copy of the sample outing from a folder of its own, with a bare
# environment, and checks the pages name the version.
run_sample() {
  local cli=$1 version=$2 source=$3 where=$4
  mkdir -p "$where/in put" "$where/out put" "$where/config"
  cp -r "$source/examples/walk.gpx" "$source/examples/photos" "$where/in put/"
  (cd "$where/out put" && env -i HOME="$where" XDG_CONFIG_HOME="$where/config" PATH=/usr/bin:/bin \
    "$cli" --gpx "../in put/walk.gpx" --photos "../in put/photos" --page-name walk --tz 9 \
    --clock-minutes -3 --copy-photos >"$where/stdout" 2>"$where/stderr") || { cat "$where/stderr" >&2; fail "sample run"; }
  local page
  for page in walk_route walk_picture walk_picture_route walk_route_grade walk_picture_route_grade; do
    [ -s "$where/out put/html/$page.html" ] || fail "no page $page"
  done
  grep -q "by Trackalbum Ver $version," "$where/out put/html/walk_picture_route.html" || fail "page comment version"
  [ -s "$where/out put/html/img/walk_ele.gif" ] && [ -s "$where/out put/html/img/walk_dis.gif" ] || fail "charts"
  [ -s "$where/config/Trackalbum.conf" ] || fail "settings not stored"
  # The map runtime comes from inside the program, with Leaflet's licence at its head.
  grep -q "Volodymyr Agafonkin" "$where/out put/html/maps" || fail "html/maps lacks Leaflet's licence"
}

# From a current folder the user cannot write into, Apply ends with a file error, says so, and
# leaves nothing behind: not in that folder, not beside the settings.
run_read_only() {
  local cli=$1 source=$2 where=$3
  local -a as_user=()
  mkdir -p "$where/locked" "$where/config"
  if [ "$(id -u)" -eq 0 ]; then
    # Root writes anywhere: run as nobody, in a folder nobody cannot write to.
    chmod 1777 "$where/config"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  else
    chmod 555 "$where/locked"
  fi
  local status=0
  (cd "$where/locked" && env -i HOME="$where/locked" XDG_CONFIG_HOME="$where/config" PATH=/usr/bin:/bin \
    "${as_user[@]}" "$cli" --gpx "$source/examples/walk.gpx" >"$where/ro-stdout" 2>"$where/ro-stderr") || status=$?
  [ "$status" -eq 1 ] || { cat "$where/ro-stderr" >&2; fail "read-only folder: exit status $status, not 1"; }
  grep -q ': html/' "$where/ro-stderr" || { cat "$where/ro-stderr" >&2; fail "read-only folder: no file error named"; }
  [ -z "$(ls -A "$where/locked")" ] || fail "read-only folder: something was written: $(ls -A "$where/locked")"
  [ -z "$(find "$where/config" -name '*.XXXXXX' -o -name 'Trackalbum.conf.??????')" ] || fail "temporary settings file left"
  chmod 755 "$where/locked"
}
