#!/usr/bin/env bash
# Runs a program on the xcb platform under an Xvfb of its own. Xvfb picks a free display and
# reports it, so runs started side by side never share one. With TARNWICK_XVFB_WM naming a
# window manager (openbox), it runs there too, started before the program as on a desktop.
set -euo pipefail
if ! command -v Xvfb >/dev/null; then
    echo "Xvfb is missing: install the xvfb package (tools/install-deps.sh does)" >&2
    exit 1
fi
work=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/log" &
xvfb=$!
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
display=$(head -n 1 "$work/display")
if [ -z "$display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/log" >&2
    exit 1
fi
if [ -n "${TARNWICK_XVFB_WM:-}" ] && command -v "$TARNWICK_XVFB_WM" >/dev/null; then
    DISPLAY=":$display" "$TARNWICK_XVFB_WM" >"$work/wm-log" 2>&1 &
    wm=$!
    for _ in $(seq 200); do
        DISPLAY=":$display" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q '#' && break
        sleep 0.05
    done
fi
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@"
