#!/usr/bin/env bash
# Configures and builds Tarnwick into ./build: the targets named (tools/build.sh tarnwick), or
# everything, tests and benchmarks included.
set -euo pipefail
cd "$(dirname "$0")/.."
# ccache, when installed, keeps rebuilds of unchanged files (and other checkouts) quick.
export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build --parallel "$(nproc)" ${1:+--target "$@"}
