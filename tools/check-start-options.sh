#!/usr/bin/env bash
# The program answers --help and --version, and refuses a mistaken option with exit code 2,
# all without a display to open; one-dash options too, since the program reads every
# argument before Qt starts.
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
for option in -v -foo --platform -x11; do
    out=$(run "$option" 2>&1); status=$?
    check "$option ends with 2 and says it is unknown" '[ "$status" -eq 2 ] && grep -q "unknown option '"'"'$option'"'"'" <<<"$out"'
done
# Only a regular file is an options file, and a pipe is refused at once instead of waited for; a
# name that is not UTF-8 is the file system's bytes (the start gets past it to the display).
files=$(mktemp -d)
trap 'rm -rf "$files"' EXIT
mkfifo "$files/pipe.cfg"
out=$(timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$files/pipe.cfg" 2>&1); status=$?
check "a pipe as the options file ends with 2 at once" '[ "$status" -eq 2 ] && grep -q "Not a regular file" <<<"$out"'
odd="$files/bad"$'\xe9'"name.cfg"
printf 'IDAB' >"$odd"
out=$(run "$odd" 2>&1); status=$?
check "an options file whose name is not UTF-8 is found" '[ "$status" -eq 1 ]'
out=$(run -platform 2>&1); status=$?
check "a Qt option without its value ends with 2" '[ "$status" -eq 2 ] && grep -q "^tarnwick: -platform needs a value" <<<"$out"'
out=$(run -- -v 2>&1); status=$?
check "after -- an argument is the options file" '[ "$status" -eq 2 ] && grep -q "cannot read the options file '"'"'-v'"'"'" <<<"$out"'
out=$(run -- 2>&1); status=$?
check "a start without a display says so plainly" '[ "$status" -eq 1 ] && [ "$out" = "tarnwick: no display to open the window on (DISPLAY is not set)" ]'
out=$(run -style fusion --version); status=$?
check "Qt options stand beside the program's" '[ "$status" -eq 0 ] && [ "$out" = "Tarnwick $version" ]'
out=$(TARNWICK_NO_HELP=1 run -platform nosuchplatform 2>&1); status=$?
check "Qt gets its options" 'grep -q "platform plugin \"nosuchplatform\"" <<<"$out"'
exit "$failed"
