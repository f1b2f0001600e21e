// The trigger pass over received blocks and the alias rewrite of a typed line.
#include "script/CommandParser.h"
#include "script/TextOps.h"
#include "script/TriggerEngine.h"
#include "TypicalTriggers.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

struct NullHost : tw::ScriptHost {
    std::size_t sent = 0, commands = 0;
    void sendToMud(std::string_view text) override
    {
        sent += text.size();
        ++commands;
    }
    void mapCommand(const std::string&) override {}
    void setStatus(const std::string&) override {}
    tw::MsgAnswer messageBox(const std::string&, const std::string&, tw::MsgButtons) override
    {
        return tw::MsgAnswer::Ok;
    }
    void playSound(const std::string&) override {}
    void writeTerminal(std::string_view) override {}
};

// 100 aliases and `count` triggers of the kinds players keep: plain phrases, wildcard patterns,
// some highlighted. Whatever the count, the block matches the same three triggers (4, 5 and 7),
// each with a response, one of them highlighted.
void fillScript(tw::ScriptState& state, int count = 200, bool responses = true)
{
    for (int i = 0; i < 100; ++i)
        state.aliases.push_back({"al" + std::to_string(i), "cast 'spell " + std::to_string(i) + "' target"});
    for (int i = 0; i < count; ++i) {
        const std::string switches = i % 10 == 0 || i == 4 ? "101501" : "100000";
        const std::string response = responses && (i == 4 || i == 5 || i == 7) ? "say seen " + std::to_string(i) : "";
        state.triggers.push_back({tw::bench::typicalPattern(i), response, switches});
    }
}

// Room texts, tells and prompts; three lines in seven match a trigger. A varied block puts a
// line of random words (letters, digits and the patterns' punctuation) between the lines, so
// that nearly every pair of bytes the patterns hold occurs in it, as in a long real session.
std::string makeBlock(std::size_t size, bool varied = false)
{
    static const char* lines[] = {
        "\x1b[1;36mThe Temple Square\x1b[0m\r\n",
        "You are standing in a large square. Exits lead north and east.\r\n",
        "A guard tells you 'move along'\r\n",
        "HP: 120/130 MV: 80/80 > \r\n",
        "The monster 4 arrives from the north.\r\n",
        "Mage tells you 'word5 of power'\r\n",
        "You feel thing7 crawling on your arm.\r\n",
    };
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789'/: ";
    std::mt19937 rng(42);
    std::string block;
    for (std::size_t i = 0; block.size() < size; ++i) {
        block += lines[i % std::size(lines)];
        if (varied) {
            for (int n = 0; n < 60; ++n)
                block += letters[rng() % (sizeof letters - 1)];
            block += "\r\n";
        }
    }
    block.resize(size);
    return block;
}

// RunTriggers/<block KB>/<triggers>/<responses>/<varied>: the one pass over the block costs
// the same whatever the number of triggers; the matches (and with 1 their responses) are the
// same in every run.
void RunTriggers(benchmark::State& bench)
{
    const auto blockSize = static_cast<std::size_t>(bench.range(0)) * 1024;
    NullHost host;
    tw::ScriptState state;
    fillScript(state, static_cast<int>(bench.range(1)), bench.range(2) != 0);
    tw::CommandParser parser(host, state);
    tw::TriggerEngine engine(state, parser);
    const std::string block = makeBlock(blockSize, bench.range(3) != 0);
    for (auto _ : bench) {
        std::string b = block;
        benchmark::DoNotOptimize(engine.RunTriggers(b));
        benchmark::DoNotOptimize(b.data());
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * blockSize));
    // Each response runs the parser, alias expansion included; that cost is the responses'.
    bench.counters["responses"] = static_cast<double>(host.commands) / static_cast<double>(bench.iterations());
}

// The floor: copying the block and reading every byte of it once.
void PlainScan(benchmark::State& bench)
{
    const auto blockSize = static_cast<std::size_t>(bench.range(0)) * 1024;
    const std::string block = makeBlock(blockSize);
    for (auto _ : bench) {
        std::string b = block;
        std::size_t sum = 0;
        for (const char c : b)
            sum += static_cast<unsigned char>(c);
        benchmark::DoNotOptimize(sum);
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * blockSize));
}

void ExpandTypedLine(benchmark::State& bench)
{
    tw::ScriptState state;
    fillScript(state);
    const std::string line = "al7;kill orc;al42 now;get all from corpse;al99";
    for (auto _ : bench)
        benchmark::DoNotOptimize(tw::ExpandAliases(line, state.aliases));
}

void ParseTypedLine(benchmark::State& bench)
{
    NullHost host;
    tw::ScriptState state;
    fillScript(state);
    tw::CommandParser parser(host, state);
    const std::string line = "al7;kill orc;al42 now;get all from corpse;al99";
    for (auto _ : bench)
        parser.ParseCommand(line);
    benchmark::DoNotOptimize(host.sent);
}

} // namespace

BENCHMARK(PlainScan)->Arg(4)->Arg(64);
BENCHMARK(RunTriggers)->ArgsProduct({{4, 64}, {0, 10, 100, 1000}, {0, 1}, {0}})
    ->ArgsProduct({{64}, {10, 100, 1000}, {0}, {1}});
BENCHMARK(ExpandTypedLine);
BENCHMARK(ParseTypedLine);
