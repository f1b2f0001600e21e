#!/usr/bin/env bash
# Installs what is missing, builds the program and the practice world (./test.sh builds the
# tests), starts the practice world (when port 4000 is free) and
# Tarnwick, connected to it; the practice world stops when Tarnwick exits. Arguments go to
# Tarnwick instead of the connection (./run.sh --connect HOST:PORT for another game).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh tarnwick practice_world

world_pid=""
if ! (exec 3<>/dev/tcp/127.0.0.1/4000) 2>/dev/null; then
    build/practice/practice_world --port 4000 >/dev/null &
    world_pid=$!
fi
cleanup() { [ -n "$world_pid" ] && kill "$world_pid" 2>/dev/null || true; }
trap cleanup EXIT

# A first start of Tarnwick copies the sample options file (its MUD list holds the practice
# world) into ~/.config/tarnwick/ and loads that copy.
if [ $# -eq 0 ]; then
    set -- --connect 127.0.0.1:4000
fi
build/tarnwick "$@"
