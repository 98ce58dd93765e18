#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR with prefix /usr and checks what a package would
# hold: the program, exactly the shipped data files, and desktop files that pass their validators.
# Usage: install_layout_test.sh BUILD_DIR APP_ID
set -euo pipefail
build="$1"
id="$2"
source_data="$(cd "$(dirname "$0")/../data" && pwd)"
dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null
usr="$dest/usr"

# The program, and --help / --version without any display.
[ -x "$usr/bin/selvaro" ] || fail "usr/bin/selvaro is missing or not executable"
version="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$usr/bin/selvaro" --version)" ||
    fail "selvaro --version failed"
[[ "$version" == "Selvaro "* ]] || fail "selvaro --version printed: $version"
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$usr/bin/selvaro" --help | grep -q '^Usage: ' ||
    fail "selvaro --help printed no usage"

# The reader of old Jet files, where the installed program looks for it; it reads the test file.
reader="$usr/lib/selvaro/selvaro-jet-reader"
[ -x "$reader" ] || fail "usr/lib/selvaro/selvaro-jet-reader is missing or not executable"
"$reader" tables "$source_data/../tests/data/jet/dates-jet4.mdb" 2>/dev/null | grep -q DateTest ||
    fail "the installed reader does not list the tables of a Jet file"

# The share folder holds the template and the files of data/, nothing a run of the build left
# behind (settings files, data files).
share="$usr/share/selvaro/data"
expected="$( (echo vemogoc.mdb; echo selvaro_qt_vi.qm; cd "$source_data" && find . -maxdepth 1 -type f ! -name CMakeLists.txt ! -name '.*' \
    -printf '%f\n') | sort)"
installed="$(cd "$share" 2>/dev/null && find . -type f -printf '%P\n' | sort)"
[ "$installed" = "$expected" ] || fail "share/selvaro/data holds:
$installed
expected:
$expected"
for f in vemogoc.mdb selvaro_qt_vi.qm huongdan.html brcvden.rpt brcvdi.rpt brkehoach.rpt brlichtuan.rpt; do
    [ -s "$share/$f" ] || fail "share/selvaro/data/$f is missing or empty"
done

# Desktop integration, in the standard places, valid, and pointing at each other.
desktop="$usr/share/applications/$id.desktop"
metainfo="$usr/share/metainfo/$id.metainfo.xml"
icon="$usr/share/icons/hicolor/scalable/apps/$id.svg"
for f in "$desktop" "$metainfo" "$icon"; do
    [ -s "$f" ] || fail "${f#"$dest"} is missing"
done
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects ${desktop#"$dest"}"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects ${metainfo#"$dest"}"
grep -qx "Icon=$id" "$desktop" || fail "the desktop file names another icon"
grep -qx "Exec=selvaro" "$desktop" || fail "the desktop file starts another program"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo file names another desktop file"
grep -q '<svg' "$icon" || fail "the icon is not an SVG image"

[ "$failures" -eq 0 ] || exit 1
echo "installed layout OK"
