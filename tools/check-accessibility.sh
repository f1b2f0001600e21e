#!/usr/bin/env bash
# Walks Tarnwick's accessibility tree as a screen reader does: under an Xvfb of its own with
# openbox, in a D-Bus session of its own where at-spi2-core's bus starts on demand.
# Exits 77 (skipped) when one of the tools is missing; tools/install-deps.sh installs them.
# Usage: check-accessibility.sh TARNWICK PRACTICE_WORLD
set -euo pipefail
here="$(dirname "$0")"
python=/usr/bin/python3 # Debian's, which has python3-pyatspi
missing=()
for tool in Xvfb openbox xdotool dbus-run-session; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=(at-spi2-core)
"$python" -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
if [ ${#missing[@]} -gt 0 ]; then
    echo "skipped: missing ${missing[*]} (tools/install-deps.sh installs them)"
    exit 77
fi
export TARNWICK_XVFB_WM=openbox QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec "$here/run-under-xvfb.sh" dbus-run-session -- "$python" "$here/../tests/accessibility/screen_reader_test.py" "$@"
