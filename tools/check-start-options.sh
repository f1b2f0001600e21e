#!/usr/bin/env bash
# The program answers --help and --version, and refuses a mistaken option with exit code 2,
# all without a display to open.
set -uo pipefail
program=${1:?usage: check-start-options.sh PROGRAM VERSION}
version=${2:?usage: check-start-options.sh PROGRAM VERSION}
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }
failed=0
check() { if ! eval "$2"; then echo "failed: $1"; failed=1; fi; }

out=$(run --version); status=$?
check "--version prints the version" '[ "$status" -eq 0 ] && [ "$out" = "Tarnwick $version" ]'
out=$(run --help); status=$?
check "--help names the options" '[ "$status" -eq 0 ] && grep -q -- "--connect HOST:PORT" <<<"$out" && grep -q "FILE.cfg" <<<"$out"'
out=$(run --bogus 2>&1); status=$?
check "an unknown option ends with 2 and says which" '[ "$status" -eq 2 ] && grep -q "unknown option '"'"'--bogus'"'"'" <<<"$out"'
out=$(run --connect nohost 2>&1); status=$?
check "a bad address ends with 2" '[ "$status" -eq 2 ] && grep -q "^Usage: tarnwick" <<<"$out"'
out=$(run /nonexistent/game.cfg 2>&1); status=$?
check "an options file that is not there ends with 2" '[ "$status" -eq 2 ] && grep -q "cannot read the options file" <<<"$out"'
exit "$failed"
