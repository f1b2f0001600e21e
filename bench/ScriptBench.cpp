// The trigger pass over received blocks and the alias rewrite of a typed line.
#include "script/CommandParser.h"
#include "script/TextOps.h"
#include "script/TriggerEngine.h"

#include <benchmark/benchmark.h>

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

// 100 aliases and 200 triggers of the kinds players keep: plain phrases, wildcard patterns,
// some highlighted, a few with responses.
void fillScript(tw::ScriptState& state)
{
    for (int i = 0; i < 100; ++i)
        state.aliases.push_back({"al" + std::to_string(i), "cast 'spell " + std::to_string(i) + "' target"});
    for (int i = 0; i < 200; ++i) {
        std::string pattern;
        switch (i % 4) {
        case 0: pattern = "The monster " + std::to_string(i) + " arrives"; break;
        case 1: pattern = "%% tells you 'word" + std::to_string(i) + "%%'"; break;
        case 2: pattern = "HP: %%/%% MV" + std::to_string(i); break;
        default: pattern = "You feel thing" + std::to_string(i); break;
        }
        const std::string switches = i % 10 == 0 ? "101501" : "100000";
        const std::string response = i % 20 == 0 ? "say seen " + std::to_string(i) : "";
        state.triggers.push_back({pattern, response, switches});
    }
}

// Room texts, tells and prompts; a few lines match some triggers.
std::string makeBlock(std::size_t size)
{
    static const char* lines[] = {
        "\x1b[1;36mThe Temple Square\x1b[0m\r\n",
        "You are standing in a large square. Exits lead north and east.\r\n",
        "A guard tells you 'move along'\r\n",
        "HP: 120/130 MV: 80/80 > \r\n",
        "The monster 40 arrives from the north.\r\n",
        "Mage tells you 'word5 of power'\r\n",
        "You feel thing63 crawling on your arm.\r\n",
    };
    std::string block;
    for (std::size_t i = 0; block.size() < size; ++i)
        block += lines[i % std::size(lines)];
    block.resize(size);
    return block;
}

void runTriggers(benchmark::State& bench, std::size_t blockSize)
{
    NullHost host;
    tw::ScriptState state;
    fillScript(state);
    tw::CommandParser parser(host, state);
    tw::TriggerEngine engine(state, parser);
    const std::string block = makeBlock(blockSize);
    for (auto _ : bench) {
        std::string b = block;
        benchmark::DoNotOptimize(engine.RunTriggers(b));
        benchmark::DoNotOptimize(b.data());
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * blockSize));
    // Each response runs the parser, alias expansion included; that cost is the responses'.
    bench.counters["responses"] = static_cast<double>(host.commands) / static_cast<double>(bench.iterations());
}

void RunTriggers4K(benchmark::State& bench) { runTriggers(bench, 4 * 1024); }
void RunTriggers64K(benchmark::State& bench) { runTriggers(bench, 64 * 1024); }

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

BENCHMARK(RunTriggers4K);
BENCHMARK(RunTriggers64K);
BENCHMARK(ExpandTypedLine);
BENCHMARK(ParseTypedLine);
