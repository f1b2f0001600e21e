// ParseCommand on arbitrary lines, with aliases, captures and triggers taken from the input.
#include "FuzzScriptHost.h"
#include "script/CommandParser.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    tw::fuzz::CountingScriptHost host;
    tw::ScriptState state;
    state.rng.seed(in.ConsumeIntegral<std::uint32_t>());
    const int aliases = in.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < aliases; ++i) {
        std::string word = in.ConsumeRandomLengthString(12);
        state.aliases.push_back({std::move(word), in.ConsumeRandomLengthString(40)});
    }
    for (std::size_t k = 0; k < tw::CaptureSlots::Count; ++k)
        if (in.ConsumeBool())
            state.captures.set(k, in.ConsumeRandomLengthString(20));
    const int triggers = in.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < triggers; ++i) {
        std::string pattern = in.ConsumeRandomLengthString(12);
        std::string response = in.ConsumeRandomLengthString(40);
        state.triggers.push_back({std::move(pattern), std::move(response), in.ConsumeRandomLengthString(6)});
    }
    state.aliasesOn = in.ConsumeBool();
    const int ticks = in.ConsumeIntegralInRange(0, 3);
    const std::string line = in.ConsumeRemainingBytesAsString();

    tw::CommandParser parser(host, state);
    parser.ParseCommand(line);
    for (int t = 0; t < ticks; ++t)
        parser.AdvanceDelayQueue();
    if (state.delays.size() > tw::DelayQueue::MaxEntries)
        std::abort();
    for (const tw::DelayEntry& e : state.delays.entries())
        if (e.countdown == 0 || e.keyword.size() > tw::DelayQueue::MaxKeywordLength)
            std::abort();
    return 0;
}
