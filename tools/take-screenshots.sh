#!/usr/bin/env bash
# Pictures the real windows under an Xvfb of their own: the main window after a walk through
# the practice world, the map window and every dialog, as PNG files in docs/screenshots/ (or
# the folder given). The README shows some of them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$(realpath -m "${1:-$root/docs/screenshots}")
tools/build.sh >/dev/null
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
TARNWICK_SCREENSHOTS="$out" TARNWICK_NO_HELP=1 XDG_CONFIG_HOME="$config" \
    tools/run-under-xvfb.sh build/tests/test_qt --gtest_filter='ScreenshotTour.*'
ls "$out"/*.png
