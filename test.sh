#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then builds and runs them all again
# under AddressSanitizer and UndefinedBehaviorSanitizer (./build-asan).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
(cd build && ctest --output-on-failure --parallel "$(nproc)" --label-exclude bench)
tools/test-sanitized.sh
