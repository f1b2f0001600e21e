#!/usr/bin/env python3
"""Prints bench.sh's table from the benchmarks' JSON files and the flood runs' lines.

    table.py RESULTS_DIR

RESULTS_DIR holds TerminalBench.json, ScriptBench.json, MapBench.json, PaintBench.json, HistoryBench.json (Google Benchmark's JSON
with median aggregates) and flood.txt (flood.py's lines), any of which may be missing.
"""
import json
import os
import sys

UNITS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def medians(path):
    """Benchmark name -> (CPU seconds, counters) of its median."""
    if not os.path.exists(path):
        return {}
    with open(path) as f:
        data = json.load(f)
    out = {}
    for b in data.get("benchmarks", []):
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        name = b.get("run_name", b["name"])
        seconds = b["cpu_time"] * UNITS[b.get("time_unit", "ns")]
        counters = {k: v for k, v in b.items() if isinstance(v, (int, float)) and k not in
                    ("cpu_time", "real_time", "iterations", "repetitions", "repetition_index", "threads",
                     "family_index", "per_family_instance_index")}
        out[name] = (seconds, counters)
    return out


def show(seconds):
    if seconds is None:
        return "-"
    if seconds >= 1:
        return f"{seconds:.2f} s"
    if seconds >= 1e-3:
        return f"{seconds * 1e3:.2f} ms"
    if seconds >= 1e-6:
        return f"{seconds * 1e6:.1f} us"
    return f"{seconds * 1e9:.0f} ns"


def ratio(a, b):
    return f"{a / b:.2f}x" if a is not None and b else "-"


def main():
    results = sys.argv[1]
    term = medians(os.path.join(results, "TerminalBench.json"))
    script = medians(os.path.join(results, "ScriptBench.json"))
    maps = medians(os.path.join(results, "MapBench.json"))
    paint = medians(os.path.join(results, "PaintBench.json"))
    history = medians(os.path.join(results, "HistoryBench.json"))
    floods = []
    flood_path = os.path.join(results, "flood.txt")
    if os.path.exists(flood_path):
        with open(flood_path) as f:
            floods = [dict(kv.split("=", 1) for kv in line.split()) for line in f if "=" in line]

    def t(table, name):
        return table.get(name, (None, {}))[0]

    rows = []  # what, switch off, switch on, floor or baseline, ratio of off to it, goal

    floor = t(term, "PlainScan/64000")
    for label, name in (("Append a 2 KB block to a full 64000 scrollback", "AppendToFullBuffer/64000"),
                        ("Lay out the whole 64000 scrollback", "RebuildModelOnly/64000")):
        off, on = t(term, name + "/0"), t(term, name + "/1")
        rows.append((label, show(off), show(on), "plain scan " + show(floor), ratio(off, floor), ""))
    modern = t(term, "AppendModernText/64000/1")
    rows.append(("Append a modern server's 2 KB block (UTF-8, 24-bit colour)", "-", show(modern),
                 "classic block " + show(t(term, "AppendToFullBuffer/64000/1")),
                 ratio(modern, t(term, "AppendToFullBuffer/64000/1")), ""))
    copy = t(paint, "FrameCopy")
    full = t(paint, "PaintFullScreen/0")
    rows.append(("Paint a full 160 x 50 screen of coloured text (offscreen)", show(full),
                 show(t(paint, "PaintFullScreen/1")), "frame copy " + show(copy), ratio(full, copy), "< 1 ms"))
    prompt = t(paint, "PaintPromptRow/0/iterations:2000")
    rows.append(("  only the prompt row changed", show(prompt), show(t(paint, "PaintPromptRow/1/iterations:2000")),
                 "frame copy " + show(copy), ratio(prompt, copy), ""))

    scan = t(script, "PlainScan/64")
    base = t(script, "RunTriggers/64/0/0/0")
    for varied, kind in ((0, "repeated"), (1, "varied")):
        ten = t(script, f"RunTriggers/64/10/0/{varied}")
        for n in (10, 100, 1000):
            figure = t(script, f"RunTriggers/64/{n}/0/{varied}")
            rows.append((f"Triggers on a 64 KB block of {kind} lines, {n} triggers (3 match)", show(figure), "same",
                         "plain scan " + show(scan), ratio(figure, scan), ""))
        rows.append(("  1000 triggers against 10", ratio(t(script, f"RunTriggers/64/1000/0/{varied}"), ten), "same",
                     "", "", "< 1.3x"))
    for n in (10, 1000):
        figure = t(script, f"RunTriggers/64/{n}/1/0")
        rows.append((f"  repeated lines with responses (747 sent), {n} triggers", show(figure), "same",
                     "0 triggers " + show(base), "", ""))

    rows.append(("Draw a full map level (900 rooms, all exits)", show(t(maps, "DrawFullLevel")), "same", "", "",
                 "< 5 ms"))
    rows.append(("  only the cells one tracked step changed", show(t(maps, "DrawAfterTrackedStep")), "same",
                 "", "", "< 1 ms"))
    rows.append(("Load a 9000-room map (8.3 MB)", show(t(maps, "LoadFullMap")), "same", "", "", ""))
    rows.append(("Save a 9000-room map (with fsync)", show(t(maps, "SaveFullMap")), "same", "", "", ""))
    rows.append(("Track one move on a full map", show(t(maps, "TrackMoveOnFullMap")), "same", "", "", ""))

    def flood(triggers, modern_on, key="seconds", history_on=0):
        for f in floods:
            if (f.get("triggers") == str(triggers) and f.get("modern") == str(modern_on)
                    and f.get("history", "0") == str(history_on) and key in f):
                return float(f[key])
        return None

    lines = next((f.get("lines") for f in floods if "lines" in f), "100000")
    def timed(triggers, modern_on, history_on=0):
        median, best = flood(triggers, modern_on, "seconds", history_on), flood(triggers, modern_on, "best", history_on)
        if median is None:
            return "-"
        return f"{median * 1e3:.0f} ms" + (f" ({best * 1e3:.0f})" if best is not None else "")

    for n in (1, 100, 1000):
        what = f"Flood of {lines} lines to the answer, {n} trigger{'s' if n > 1 else ''} (best)"
        rows.append((what, timed(n, 0), timed(n, 1), "" if n == 1 else "1 trigger " + timed(1, 0),
                     "" if n == 1 else ratio(flood(n, 0, "best"), flood(1, 0, "best")) + " of best", ""))

    # The long history: the receive path with it on against off, and its own work.
    off, on = t(history, "AppendWithHistory/0"), t(history, "AppendWithHistory/1")
    rows.append(("Append a 2 KB block to a full 64000 scrollback, long history off / on", show(off), show(on),
                 "history off " + show(off), ratio(on, off), "< 1.1x"))
    rows.append(("  lay out 64 KB for the history later (the game quiet)", "-", show(t(history, "LayOutForHistory")),
                 "", "", ""))
    rows.append(("Find in 1,000,000 history lines, every byte looked at", "-",
                 show(t(history, "FindInMillionLines/0")), "", "", "< 100 ms"))
    rows.append(("  the same, the case matters", "-", show(t(history, "FindInMillionLines/1")), "", "", "< 100 ms"))
    rows.append(("  a word no line holds", "-", show(t(history, "FindNothingInMillionLines")), "", "", "< 100 ms"))
    rows.append((f"Flood of {lines} lines to the answer, 100 triggers, long history off / on (best)", timed(100, 0),
                 timed(100, 0, 1), "history off " + timed(100, 0),
                 ratio(flood(100, 0, "best", 1), flood(100, 0, "best")) + " of best", "< 1.1x"))

    widths = [max(len(r[i]) for r in rows + [HEADER]) for i in range(len(HEADER))]
    for r in [HEADER, tuple("-" * w for w in widths)] + rows:
        print("| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |")

    memory = [f for f in floods if "idle_kb" in f and "history_kb" not in f]
    if memory or "FullMapMemory/iterations:1" in maps:
        print()
        print("Resident size of the program (the real window under Xvfb, 64000 scrollback):")
        for f in memory:
            after = [int(f[k]) for k in sorted(k for k in f if k.startswith("after_"))]
            print(f"  Modern Server Mode {'on' if f['modern'] == '1' else 'off'}: idle {int(f['idle_kb']) // 1024} MB;"
                  f" after a flood of 2 MB, then after each of three of 20 MB: "
                  + ", ".join(f"{kb / 1024:.1f} MB" for kb in after))
        full = maps.get("FullMapMemory/iterations:1", (None, {}))[1].get("resident_kb")
        if full is not None:
            print(f"  A full map (9000 rooms, loaded and drawn) adds {full / 1024:.1f} MB")
    kept = history.get("MillionLinesMemory/iterations:1", (None, {}))[1].get("resident_kb")
    if kept is not None:
        print(f"  A full long history, 1,000,000 lines of 80 characters in four colours, takes {kept / 1024:.1f} MB"
              " (goal: the program under 400 MB)")
    for f in floods:
        if "history_kb" in f:
            print(f"  The program with the long history on: idle {int(f['idle_kb']) / 1024:.1f} MB; after five floods"
                  f" of 200000 lines (1,000,000 kept): {int(f['history_kb']) / 1024:.1f} MB")


HEADER = ("What", "Switch off", "Switch on", "Floor or baseline", "Ratio", "Goal")

if __name__ == "__main__":
    main()
