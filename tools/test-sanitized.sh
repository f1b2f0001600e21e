#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer (clang) into
# ./build-asan and runs them. The first report of either ends the program with a failure, so
# any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_invalid_pointer_pairs=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Leaks inside Qt's and the system's own libraries at exit are theirs, not ours (see the file).
export LSAN_OPTIONS="suppressions=$root/tools/lsan-qt.supp:print_suppressions=0"
# Optimised lightly and with line tables only: the build is quicker and reports still name
# files and lines.
export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DTARNWICK_SANITIZE=ON >/dev/null
cmake --build build-asan --parallel "$(nproc)"
cd build-asan
ctest --output-on-failure --parallel "$(nproc)" --label-exclude "bench|package"
