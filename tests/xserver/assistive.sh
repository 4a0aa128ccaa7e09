#!/bin/sh
# The real program read and played as a screen reader does: under an X server, a session bus and an
# accessibility bus of the test's own, see assistive.py.
#
#   assistive.sh GAME        (or, in the build folder: ctest -R xserver.assistive)
#
# Exits 77 if Xvfb, xdotool, the accessibility bus or its Python client is missing.
for tool in Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing" >&2; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "SKIP: pyatspi is missing" >&2; exit 77; }
# The client finds the accessibility bus through the session bus: a private one, so that tests run
# side by side and nothing of the desktop's is touched.
exec dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/assistive.py" "$1"
