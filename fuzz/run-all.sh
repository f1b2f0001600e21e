#!/usr/bin/env bash
# Runs every fuzz target for SECONDS from its seed corpus in fuzz/corpus/<target>/, two at a
# time at the lowest priority, and fails when any target finds a crash, a leak, undefined
# behaviour, an input slower than the timeout or one that needs more than 2 GB.
#
#   fuzz/run-all.sh SECONDS [TARGET...]
#
# The fuzz build goes to ./build-fuzz (clang, made here when missing). New inputs a run finds
# are kept in build-fuzz/fuzz-work/<target>/, not in the seed corpus; crashes are written there
# as crash-* files. At the end a line per target gives the executions, the coverage (edges and
# features), the corpus size and the longest input in it.
set -euo pipefail
seconds=${1:?usage: fuzz/run-all.sh SECONDS [TARGET...]}
shift
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${FUZZ_BUILD:-$root/build-fuzz}
jobs=${FUZZ_JOBS:-2}

CXX=clang++ CC=clang cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARNWICK_FUZZ=ON >/dev/null
nice -n 19 cmake --build "$build" --target fuzz_all >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for src in "$here"/*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
work=$build/fuzz-work
mkdir -p "$work"

# Targets that read a stream get room for long inputs; the rest keep libFuzzer's own growth.
maxLen() {
    case $1 in
        PipelineFuzz|TerminalFuzz|TelnetFuzz|GmcpFuzz|InflateFuzz|OptionsFuzz|MapFileFuzz) echo 131072 ;;
        *) echo 16384 ;;
    esac
}

runOne() {
    local t=$1
    mkdir -p "$work/$t" "$here/corpus/$t"
    nice -n 19 "$build/fuzz/$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
        -max_len="$(maxLen "$t")" -print_final_stats=1 -artifact_prefix="$work/$t-" \
        "$work/$t" "$here/corpus/$t" >"$work/$t.log" 2>&1
}

declare -A pids
for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
    runOne "$t" &
    pids[$t]=$!
done

failed=0
printf '%-16s %12s %8s %8s %8s %10s\n' target executions edges features corpus longest
for t in "${targets[@]}"; do
    status=0
    wait "${pids[$t]}" || status=$?
    log=$work/$t.log
    execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{print $2}' | tail -1 || true)
    last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    edges=$(grep -o 'cov: [0-9]*' <<<"$last" | awk '{print $2}' || true)
    features=$(grep -o 'ft: [0-9]*' <<<"$last" | awk '{print $2}' || true)
    corpus=$(find "$work/$t" "$here/corpus/$t" -type f | wc -l)
    longest=$(find "$work/$t" "$here/corpus/$t" -type f -printf '%s\n' | sort -n | tail -1)
    printf '%-16s %12s %8s %8s %8s %10s\n' "$t" "${execs:-?}" "${edges:-?}" "${features:-?}" "$corpus" "${longest:-0}"
    if [ $status -ne 0 ]; then
        echo "  $t FAILED (exit $status); see $log" >&2
        grep -m 5 -E 'ERROR|runtime error|SUMMARY' "$log" >&2 || true
        failed=1
    fi
done
exit $failed
