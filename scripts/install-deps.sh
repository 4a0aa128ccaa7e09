#!/usr/bin/env bash
# Installs the Debian packages that building, testing, packaging and running the game need, if any
# is missing. Prints one line per stage; apt's own output goes to a log, shown when a stage fails.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    qt6-base-dev libgl-dev
    libbenchmark-dev
    fonts-symbola fonts-dejavu-core fonts-dejavu-extra
    libqt6svg6 qt6-wayland
    xvfb xauth imagemagick x11-utils xdotool libx11-dev libxtst-dev
    weston
    desktop-file-utils appstream dpkg-dev file lintian man-db
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

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

stage "Updating the list of Debian packages…" "${sudo[@]}" apt-get update
stage "Installing ${#missing[@]} Debian packages: ${missing[*]}…" \
    "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
echo "Installed; apt's log is $log"
