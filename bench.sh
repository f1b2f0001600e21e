#!/usr/bin/env bash
# Builds Release into build-release, runs every benchmark and prints one table: each figure next
# to its floor or baseline, Modern Server Mode off and on side by side, the end-to-end flood in
# the real window under Xvfb, and the program's resident size.
#
#   ./bench.sh             everything (about five minutes after the build)
#   ./bench.sh --no-flood  the benchmark programs only
set -euo pipefail
cd "$(dirname "$0")"
build=build-release
results=$build/bench-results
flood=yes
[[ "${1:-}" == "--no-flood" ]] && flood=no

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
nice cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
nice cmake --build "$build" --target tarnwick practice_world TerminalBench ScriptBench MapBench PaintBench HistoryBench flood_options
mkdir -p "$results"
rm -f "$results"/*

for bench in TerminalBench ScriptBench MapBench PaintBench HistoryBench; do
    echo "running $bench" >&2
    "$build/bench/$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_format=json >"$results/$bench.json"
done

if [[ $flood == yes ]]; then
    for modern in "" --modern; do
        for triggers in 1 100 1000; do
            echo "flood: $triggers triggers ${modern:-classic}" >&2
            python3 bench/flood.py --build "$build" --lines 100000 --triggers "$triggers" $modern >>"$results/flood.txt"
        done
        python3 bench/flood.py --build "$build" --triggers 100 --memory $modern >>"$results/flood.txt"
    done
    echo "flood: 100 triggers classic, long history on" >&2
    python3 bench/flood.py --build "$build" --lines 100000 --triggers 100 --history >>"$results/flood.txt"
    python3 bench/flood.py --build "$build" --triggers 100 --memory --history >>"$results/flood.txt"
fi

echo
echo "$(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), CPU time medians of 5"
python3 bench/table.py "$results"
