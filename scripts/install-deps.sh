#!/usr/bin/env bash
# Installs the Debian packages that building, testing, packaging and running the game need, if any
# is missing. Prints one line per stage; apt's own output goes to a log, shown when a stage fails.
set -euo pipefail

# One thing a word. a|b are the names releases give the same thing, the newer first: the first
# that apt has a candidate for is installed, and the thing is present when any of them is.
things=(
    cmake ninja-build g++ make 'pkgconf|pkg-config'
    qt6-base-dev libgl-dev
    libbenchmark-dev
    fonts-symbola fonts-dejavu-core fonts-dejavu-extra
    'qt6-svg-plugins|libqt6svg6' qt6-wayland
    xvfb xauth imagemagick x11-utils xdotool libx11-dev libxtst-dev
    weston at-spi2-core dbus-daemon python3-pyatspi
    desktop-file-utils appstream dpkg-dev file lintian man-db
)

installed=$(dpkg-query -W -f='${db:Status-Status} ${Package}\n' 2>/dev/null | sed -n 's/^installed //p')
present() {
    local name
    # Debian 13 still installs libqt6svg6 (qt6-wayland needs it) but moved the SVG image plugin
    # out of it: that one is present only when the plugin is.
    if [ "$1" = 'qt6-svg-plugins|libqt6svg6' ]; then
        compgen -G '/usr/lib/*/qt6/plugins/imageformats/libqsvg.so' >/dev/null || return 1
    fi
    for name in ${1//|/ }; do
        grep -qx -- "$name" <<<"$installed" && return 0
    done
    return 1
}

missing=()
for thing in "${things[@]}"; do
    present "$thing" || missing+=("$thing")
done
[ ${#missing[@]} -eq 0 ] && exit 0

release=$(. /etc/os-release && echo "${PRETTY_NAME/ GNU\/Linux/}")
log=${TMPDIR:-/tmp}/pebblerun-install-deps.log
: >"$log"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive

stage() {
    local what=$1
    shift
    echo "$what"
    if ! "$@" >>"$log" 2>&1; then
        echo "failed: $what; the last lines of $log:" >&2
        tail -n 20 "$log" >&2
        exit 1
    fi
}

stage "$release: updating the list of packages…" "${sudo[@]}" apt-get update

# The first of a thing's names that this release has.
pick() {
    local name candidate
    for name in ${1//|/ }; do
        candidate=$(apt-cache policy -- "$name" 2>/dev/null | sed -n 's/^  Candidate: //p')
        [ -z "$candidate" ] || [ "$candidate" = '(none)' ] || { echo "$name"; return; }
    done
    return 1
}
packages=()
for thing in "${missing[@]}"; do
    name=$(pick "$thing") || { echo "$release has no package ${thing//|/ or }" >&2; exit 1; }
    packages+=("$name")
done

stage "Installing ${#packages[@]} packages: ${packages[*]}…" \
    "${sudo[@]}" apt-get install -y --no-install-recommends "${packages[@]}"
echo "Installed; apt's log is $log"
