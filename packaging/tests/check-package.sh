#!/usr/bin/env bash
# Builds the Debian package from the build tree into a scratch folder, has Debian's checker
# (lintian) find no error and no warning in it, unpacks it into a scratch root and checks its
# contents and its declared dependencies: every shared library the program links, the SVG plugin
# that draws its icon, and the fonts that stand in for Wingdings and Impact.
# Usage: check-package.sh BUILD_DIR APP_ID
set -euo pipefail

build=$1
app_id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
debs=("$work"/out/pebblerun_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = pebblerun ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"

# Informational tags stay in the report; any error or warning fails.
lintian --fail-on error,warning --info "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(grep -v 'running with root privileges' "$work/lintian.log")"
grep -v 'running with root privileges' "$work/lintian.log" || true
maintainer=$(dpkg-deb -f "$deb" Maintainer)
[[ $maintainer =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "maintainer '$maintainer' has no address"

root=$work/root
dpkg -x "$deb" "$root"
expected=$(printf '%s\n' /usr/games/pebblerun /usr/share/applications/"$app_id".desktop \
    /usr/share/icons/hicolor/scalable/apps/"$app_id".svg /usr/share/metainfo/"$app_id".metainfo.xml \
    /usr/share/man/man6/pebblerun.6.gz /usr/share/doc/pebblerun/changelog.gz \
    /usr/share/doc/pebblerun/copyright | sort)
contents=$(cd "$root" && find . -type f | sed 's|^\.||' | sort)
[ "$contents" = "$expected" ] || fail "package contents differ:
$(diff <(echo "$expected") <(echo "$contents"))"
[ -x "$root/usr/games/pebblerun" ] || fail "the program is not executable"
entry=$(dpkg-deb --fsys-tarfile "$deb" | tar -tvf - ./usr/games/pebblerun)
[[ $entry == "-rwxr-xr-x root/root"* ]] || fail "the program is not root-owned 0755: $entry"

# Depends as a list of package names, alternatives and version constraints aside.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/:.*//; s/ //g' | grep -v '^$' | sort -u)
declares() { grep -qx "$1" <<<"$names"; }

# The package that ships a library path; merged-/usr systems record either spelling.
owner() {
    local path=$1
    dpkg -S "$path" 2>/dev/null || dpkg -S "${path#/usr}" 2>/dev/null || dpkg -S "/usr$path" 2>/dev/null
}

needed=$(readelf -d "$root/usr/games/pebblerun" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ -n "$needed" ] || fail "the program links no shared library?"
for soname in $needed; do
    path=$(ldconfig -p | awk -v so="$soname" '$1 == so && /x86-64|x86_64|64bit/ && !found { print $NF; found = 1 }')
    [ -n "$path" ] || path=$(ldconfig -p | awk -v so="$soname" '$1 == so && !found { print $NF; found = 1 }')
    [ -n "$path" ] || fail "$soname is not installed here"
    pkg=$(owner "$(readlink -f "$path")" || owner "$path") || fail "no package ships $path"
    pkg=${pkg%%:*}
    declares "$pkg" || fail "$soname comes from $pkg, which Depends does not name: $depends"
done

for pkg in fonts-symbola fonts-dejavu-extra; do
    declares "$pkg" || fail "Depends does not name $pkg: $depends"
done
# The platform plugin that opens the window on X11 comes with the Qt GUI library.
declares "$(owner "$(find /usr/lib -name libqxcb.so -path '*qt6*' -print -quit)" | cut -d: -f1)" ||
    fail "Depends lacks the package of Qt's X11 platform plugin"

# Most desktops now run a Wayland compositor, where Qt needs its Wayland platform plugin.
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ ", $recommends," == *", qt6-wayland,"* ]] || fail "Recommends lacks qt6-wayland: $recommends"

echo "package $(basename "$deb") depends on: $depends; recommends: $recommends"
