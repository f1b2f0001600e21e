// Appending to a full scrollback re-reads the whole buffer and rebuilds the screen model;
// these measure that against a plain scan of the same bytes.
#include "core/Terminal.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

// About 2 KB of coloured lines as a MUD sends them.
std::string colouredBlock()
{
    static const char* const colours[] = {"\x1b[1;32m", "\x1b[0;37m", "\x1b[1;33;44m",
                                          "\x1b[0;31m", "\x1b[36m", "\x1b[1;35m"};
    std::string block;
    for (int i = 0; block.size() < 2048; ++i) {
        block += colours[i % 6];
        block += "The goblin hits you. ";
        block += colours[(i + 1) % 6];
        block += "You parry the goblin's attack\x1b[0m (";
        block += std::to_string(i);
        block += ")\r\n";
    }
    block.resize(2048);
    return block;
}

void fill(tw::Terminal& t, const std::string& block)
{
    while (t.ScrollbackBuffer().size() + block.size() < t.ScrollbackCapacity() - 10)
        t.WriteTerminal(block);
}

tw::Terminal& fullTerminal(std::size_t capacity)
{
    static tw::Terminal* terminals[2] = {};
    tw::Terminal*& t = terminals[capacity > 20000 ? 1 : 0];
    if (!t) {
        t = new tw::Terminal(capacity);
        t->setColumnCount(80);
        t->setRowCount(50);
    }
    fill(*t, colouredBlock());
    return *t;
}

void AppendToFullBuffer(benchmark::State& state)
{
    tw::Terminal& t = fullTerminal(std::size_t(state.range(0)));
    const std::string block = colouredBlock();
    std::size_t bytes = 0;
    for (auto _ : state) {
        t.WriteTerminal(block); // halves the buffer whenever it is nearly full again
        bytes += t.ScrollbackBuffer().size();
    }
    state.counters["buffer"] = double(bytes) / double(state.iterations());
    state.SetBytesProcessed(std::int64_t(bytes));
}
BENCHMARK(AppendToFullBuffer)->Arg(16000)->Arg(64000)->Unit(benchmark::kMicrosecond);

void RebuildModelOnly(benchmark::State& state)
{
    tw::Terminal& t = fullTerminal(std::size_t(state.range(0)));
    for (auto _ : state)
        t.WriteTerminal({});
    state.counters["buffer"] = double(t.ScrollbackBuffer().size());
    state.SetBytesProcessed(std::int64_t(state.iterations() * t.ScrollbackBuffer().size()));
}
BENCHMARK(RebuildModelOnly)->Arg(16000)->Arg(64000)->Unit(benchmark::kMicrosecond);

// The floor: one pass over the same bytes that looks at every one of them.
void PlainScan(benchmark::State& state)
{
    tw::Terminal& t = fullTerminal(std::size_t(state.range(0)));
    const std::string& buffer = t.ScrollbackBuffer();
    for (auto _ : state) {
        unsigned lines = 0, sum = 0;
        for (const char ch : buffer) {
            lines += ch == '\r';
            sum += static_cast<unsigned char>(ch);
        }
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["buffer"] = double(buffer.size());
    state.SetBytesProcessed(std::int64_t(state.iterations() * buffer.size()));
}
BENCHMARK(PlainScan)->Arg(16000)->Arg(64000)->Unit(benchmark::kMicrosecond);

} // namespace
