#!/usr/bin/env bash
# Installs the build into a scratch root as a distribution would (prefix /usr) and checks the
# installed tree: every file in its place, the desktop entry and the metainfo valid and
# pointing at each other, at the program and at the icon, and the manual page readable.
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
program=$root/usr/games/pebblerun
manual=$root/usr/share/man/man6/pebblerun.6.gz
docs=$root/usr/share/doc/pebblerun

expected=$(printf '%s\n' "$program" "$desktop" "$icon" "$metainfo" "$manual" "$docs/changelog.gz" \
    "$docs/copyright" | sed "s|^$root||" | sort)
installed=$(cd "$root" && find . -type f | sed 's|^\.||' | sort)
[ "$installed" = "$expected" ] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$installed"))"
[ -x "$program" ] || fail "the program is not executable"

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli rejects the metainfo"

key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Exec)" = /usr/games/pebblerun ] || fail "Exec is '$(key Exec)', not the installed program"
[ "$(key Icon)" = "$app_id" ] || fail "Icon '$(key Icon)' is not the installed icon $app_id"
for category in Game LogicGame; do
    [[ ";$(key Categories)" == *";$category;"* ]] || fail "Categories '$(key Categories)' lacks $category"
done

grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
grep -q '<screenshot type="default">' "$metainfo" || fail "the metainfo has no screenshot"

grep -q '<svg' "$icon" || fail "the icon is not an SVG image"

# The manual page as man shows it, with groff's warnings made errors.
page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manual" 2>"$root/man.err") ||
    fail "man cannot show the manual page: $(cat "$root/man.err")"
[ ! -s "$root/man.err" ] || fail "man warns about the manual page: $(cat "$root/man.err")"
for section in NAME SYNOPSIS OPTIONS KEYS FILES; do
    grep -q "^$section" <<<"$page" || fail "the manual page has no $section section"
done
for option in --help --version F2 Ctrl+E Ctrl+M Ctrl+H; do
    grep -qe "$option" <<<"$page" || fail "the manual page does not name $option"
done
echo "installed tree of $app_id is valid"
