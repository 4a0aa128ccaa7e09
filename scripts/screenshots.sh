#!/usr/bin/env bash
# Takes the screenshots of docs/: the game's real window on a virtual X display, played by the
# screenshot driver with a fixed generator and clock, and captured from the display server.
# Usage: scripts/screenshots.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: scripts/screenshots.sh BUILD_DIR}
driver=$build/packaging/pebblerun_screenshots
docs=$(cd "$(dirname "$0")/.." && pwd)/docs
[ -x "$driver" ] || { echo "no $driver: build first" >&2; exit 1; }
mkdir -p "$docs"

# A display of our own; Xvfb writes the number it took to the descriptor given.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1600x1200x24 -nolisten tcp -noreset &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true' EXIT
read -r -t 30 -u "$displayfd" number || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$number
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

# Dates stay out of the images, so an unchanged game gives unchanged files.
shot() {
    local scene=$1 file=$2
    "$driver" "$scene" import -window '{}' -define png:exclude-chunks=date,time "PNG24:$docs/$file"
    echo "docs/$file ($(identify -format '%wx%h' "$docs/$file"))"
}

shot easy-new easy-new.png
shot medium-lost medium-lost.png
shot easy-won easy-won.png
QT_SCALE_FACTOR=2 shot easy-won easy-won-2x.png
