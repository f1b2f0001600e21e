// Pattern preparation, matching and RunTriggers on arbitrary patterns and blocks, RunTriggers
// held to the trigger pass written out the long way.
#include "FuzzScriptHost.h"
#include "support/TriggerReference.h"
#include "script/TriggerEngine.h"
#include "script/TriggerPattern.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    tw::fuzz::CountingScriptHost host;
    tw::ScriptState state;
    const int aliases = in.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < aliases; ++i) {
        std::string word = in.ConsumeRandomLengthString(8);
        state.aliases.push_back({std::move(word), in.ConsumeRandomLengthString(24)});
    }
    for (std::size_t k = 0; k < tw::CaptureSlots::Count; ++k)
        if (in.ConsumeBool())
            state.captures.set(k, in.ConsumeRandomLengthString(12));
    const int triggers = in.ConsumeIntegralInRange(1, 6);
    for (int i = 0; i < triggers; ++i) {
        std::string pattern = in.ConsumeRandomLengthString(24);
        std::string response = in.ConsumeBool() ? in.ConsumeRandomLengthString(24) : std::string();
        state.triggers.push_back({std::move(pattern), std::move(response), in.ConsumeRandomLengthString(6)});
    }
    state.aliasesOn = in.ConsumeBool();
    std::string block = in.ConsumeRemainingBytesAsString();

    // Matching alone: every match lies inside the block and the search always moves on.
    tw::PreparedPattern prepared;
    tw::CaptureSlots slots = state.captures;
    for (const tw::TriggerEntry& t : state.triggers) {
        tw::PreparePattern(t.pattern, state.aliases, state.aliasesOn, state.captures, prepared);
        if (prepared.count > tw::PreparedPattern::MaxPieces)
            std::abort();
        std::size_t from = 0;
        while (const auto m = tw::MatchPattern(block, from, prepared, slots)) {
            if (m->start < from || m->start + tw::MatchLength(*m) > block.size() || tw::MatchLength(*m) == 0)
                std::abort();
            from = m->start + tw::MatchLength(*m);
        }
    }

    tw::fuzz::CountingScriptHost referenceHost;
    tw::ScriptState referenceState = state;
    tw::CommandParser referenceParser(referenceHost, referenceState);
    tw::CommandParser parser(host, state);
    tw::TriggerEngine engine(state, parser);
    // The second block runs on the patterns and the index the engine kept from the first.
    const std::string original = block;
    for (int run = 0; run < 2; ++run) {
        block = original;
        std::string expected = original;
        const std::size_t before = block.size();
        const std::string echo = engine.RunTriggers(block);
        if (block.size() > before && block.size() > tw::TriggerEngine::MaxHighlightedBlock)
            std::abort();
        const std::string expectedEcho = tw::test::referenceRun(referenceState, referenceParser, expected);
        if (block != expected || echo != expectedEcho || host.sentBytes != referenceHost.sentBytes ||
            state.captures.texts != referenceState.captures.texts || state.aliases != referenceState.aliases)
            std::abort();
    }
    return 0;
}
