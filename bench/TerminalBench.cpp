// Appending to a full scrollback re-reads the whole buffer and rebuilds the screen model;
// these measure that against a plain scan of the same bytes, with Modern Server Mode off (the
// second argument 0) and on (1).
#include "core/Terminal.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>

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

// About 2 KB as a current server sends it: UTF-8 with accents and some CJK, 256 and 24-bit
// colours. The cut at 2048 bytes may split a character, as a read may.
std::string modernBlock()
{
    static const char* const colours[] = {"\x1b[38;5;214m", "\x1b[0m", "\x1b[1;38;2;255;105;180m",
                                          "\x1b[48;5;236;38;5;45m", "\x1b[22;39m", "\x1b[91m"};
    std::string block;
    for (int i = 0; block.size() < 2048; ++i) {
        block += colours[i % 6];
        block += "Le gobelin te frappe \xe2\x80\x94 caf\xc3\xa9 na\xc3\xafve ";
        block += colours[(i + 1) % 6];
        block += "\xe4\xbd\xa0\xe6\x8c\xa1\xe4\xbd\x8f\xe4\xba\x86 the goblin's attack\x1b[0m (";
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

tw::Terminal& fullTerminal(std::size_t capacity, bool modern, const std::string& block)
{
    static std::map<std::pair<std::size_t, std::string>, std::unique_ptr<tw::Terminal>> terminals;
    auto& t = terminals[{capacity + (modern ? 1 : 0), block.substr(0, 8)}];
    if (!t) {
        t = std::make_unique<tw::Terminal>(capacity);
        t->setColumnCount(80);
        t->setRowCount(50);
        t->setModern(modern);
    }
    fill(*t, block);
    return *t;
}

void append(benchmark::State& state, const std::string& block)
{
    tw::Terminal& t = fullTerminal(std::size_t(state.range(0)), state.range(1) != 0, block);
    std::size_t bytes = 0;
    for (auto _ : state) {
        t.WriteTerminal(block); // halves the buffer whenever it is nearly full again
        bytes += t.ScrollbackBuffer().size();
    }
    state.counters["buffer"] = double(bytes) / double(state.iterations());
    state.SetBytesProcessed(std::int64_t(bytes));
}

void AppendToFullBuffer(benchmark::State& state) { append(state, colouredBlock()); }
BENCHMARK(AppendToFullBuffer)->ArgsProduct({{16000, 64000}, {0, 1}})->Unit(benchmark::kMicrosecond);

// Modern Server Mode on a modern server's text.
void AppendModernText(benchmark::State& state) { append(state, modernBlock()); }
BENCHMARK(AppendModernText)->ArgsProduct({{16000, 64000}, {1}})->Unit(benchmark::kMicrosecond);

void RebuildModelOnly(benchmark::State& state)
{
    tw::Terminal& t = fullTerminal(std::size_t(state.range(0)), state.range(1) != 0, colouredBlock());
    for (auto _ : state)
        t.WriteTerminal({});
    state.counters["buffer"] = double(t.ScrollbackBuffer().size());
    state.SetBytesProcessed(std::int64_t(state.iterations() * t.ScrollbackBuffer().size()));
}
BENCHMARK(RebuildModelOnly)->ArgsProduct({{16000, 64000}, {0, 1}})->Unit(benchmark::kMicrosecond);

// The floor: one pass over the same bytes that looks at every one of them.
void PlainScan(benchmark::State& state)
{
    tw::Terminal& t = fullTerminal(std::size_t(state.range(0)), false, colouredBlock());
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
