// The long history: what it adds to appending a block to a full scrollback (the receive path
// only copies the text that leaves; the second argument says whether the history is on),
// laying that text out into history lines afterwards, and a full history of a million
// 80-character coloured lines: its memory and a search through all of it.
#include "core/HistoryIntake.h"
#include "core/HistoryStore.h"
#include "core/Terminal.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// An 80-character line in four colours, as a game colours a line of combat.
std::string colouredLine(long number)
{
    char line[160];
    std::snprintf(line, sizeof line,
                  "\x1b[1;31mThe goblin\x1b[0;37m hits you \x1b[1;33mhard\x1b[0;36m and you reel back, "
                  "bleeding from wound number %08ld.\x1b[0m\r\n",
                  number);
    return line;
}

std::string block()
{
    std::string text;
    for (long i = 0; text.size() < 2048; ++i)
        text += colouredLine(i);
    text.resize(2048);
    return text;
}

std::size_t heapInUse()
{
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

void AppendWithHistory(benchmark::State& state)
{
    tw::Terminal terminal(64000);
    terminal.setColumnCount(100);
    terminal.setRowCount(50);
    tw::HistoryStore store;
    tw::HistoryIntake intake(store);
    if (state.range(0) != 0)
        terminal.setTrimCallback([&](std::string_view older, std::string_view newer) {
            intake.take(older, newer, {100, true, false});
        });
    const std::string text = block();
    for (int i = 0; i < 40; ++i)
        terminal.WriteTerminal(text);
    for (auto _ : state) {
        terminal.WriteTerminal(text);
        // What waits is laid out when the game is quiet; kept out of the timing.
        if (intake.waiting() > (4u << 20)) {
            state.PauseTiming();
            intake.digest();
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * text.size()));
}
BENCHMARK(AppendWithHistory)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Laying out, while the game is quiet, what the scrollback let go: per 64 KB.
void LayOutForHistory(benchmark::State& state)
{
    std::string text;
    for (long i = 0; text.size() < 65536; ++i)
        text += colouredLine(i);
    tw::HistoryStore store;
    tw::HistoryIntake intake(store);
    for (auto _ : state) {
        intake.take(text, {}, {100, true, false});
        intake.digest();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * text.size()));
}
BENCHMARK(LayOutForHistory)->Unit(benchmark::kMicrosecond);

tw::HistoryStore& fullHistory()
{
    static std::unique_ptr<tw::HistoryStore> store;
    if (!store) {
        store = std::make_unique<tw::HistoryStore>();
        store->setLimit(tw::HistoryStore::MaxLimit);
        tw::HistoryIntake intake(*store);
        std::string text;
        for (long i = 0; i < long(tw::HistoryStore::MaxLimit); ++i) {
            text += colouredLine(i);
            if (text.size() > 60000 || i + 1 == long(tw::HistoryStore::MaxLimit)) {
                intake.take(text, {}, {100, true, false});
                intake.digest();
                text.clear();
            }
        }
    }
    return *store;
}

// A million lines kept: the heap they take, and the time to lay them out from the game's text.
void MillionLinesMemory(benchmark::State& state)
{
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        tw::HistoryStore store;
        store.setLimit(tw::HistoryStore::MaxLimit);
        tw::HistoryIntake intake(store);
        std::string text;
        for (long i = 0; i < long(tw::HistoryStore::MaxLimit); ++i) {
            text += colouredLine(i);
            if (text.size() > 60000) {
                intake.take(text, {}, {100, true, false});
                intake.digest();
                text.clear();
            }
        }
        intake.take(text, {}, {100, true, false});
        intake.digest();
        state.counters["lines"] = double(store.size());
        state.counters["line_chars"] = double(store.text(0).size());
        state.counters["resident_kb"] = double(heapInUse() - before) / 1024;
    }
}
BENCHMARK(MillionLinesMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Finding a word that only the oldest line holds, from the newest line back: every byte of
// the history is looked at. Argument: whether the case matters.
void FindInMillionLines(benchmark::State& state)
{
    const tw::HistoryStore& store = fullHistory();
    const bool caseSensitive = state.range(0) != 0;
    for (auto _ : state) {
        const auto hit = store.findBackward("number 00000000", caseSensitive, store.size(), 0);
        if (!hit || hit->line != 0)
            state.SkipWithError("not found where it is");
        benchmark::DoNotOptimize(hit);
    }
    state.counters["lines"] = double(store.size());
}
BENCHMARK(FindInMillionLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// And forward through all of it for a word no line holds.
void FindNothingInMillionLines(benchmark::State& state)
{
    const tw::HistoryStore& store = fullHistory();
    for (auto _ : state)
        benchmark::DoNotOptimize(store.findForward("dragon", false, 0, 0));
}
BENCHMARK(FindNothingInMillionLines)->Unit(benchmark::kMillisecond);

} // namespace
