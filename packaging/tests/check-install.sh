#!/usr/bin/env bash
# Installs the build into a scratch root as a distribution would (prefix /usr) and checks the
# installed tree: every file in its place, the desktop entry and the metainfo valid and
# pointing at each other, at the program and at the icon.
# Usage: check-install.sh BUILD_DIR APP_ID
set -euo pipefail

build=$1
app_id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null

desktop=$root/usr/share/applications/$app_id.desktop
icon=$root/usr/share/icons/hicolor/scalable/apps/$app_id.svg
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
program=$root/usr/bin/pebblerun

expected=$(printf '%s\n' "$program" "$desktop" "$icon" "$metainfo" | sed "s|^$root||" | sort)
installed=$(cd "$root" && find . -type f | sed 's|^\.||' | sort)
[ "$installed" = "$expected" ] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$installed"))"
[ -x "$program" ] || fail "the program is not executable"

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli rejects the metainfo"

key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Exec)" = pebblerun ] || fail "Exec is '$(key Exec)'"
[ "$(key Icon)" = "$app_id" ] || fail "Icon '$(key Icon)' is not the installed icon $app_id"
for category in Game LogicGame; do
    [[ ";$(key Categories)" == *";$category;"* ]] || fail "Categories '$(key Categories)' lacks $category"
done

grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
grep -q '<screenshot type="default">' "$metainfo" || fail "the metainfo has no screenshot"

grep -q '<svg' "$icon" || fail "the icon is not an SVG image"
echo "installed tree of $app_id is valid"
