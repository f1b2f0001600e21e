#pragma once
// Runs the triggers over each received block: highlights the matches and runs the responses.
#include "script/BytePairSet.h"
#include "script/CommandParser.h"
#include "script/PreparedPatternCache.h"
#include "script/ScriptState.h"
#include "script/TriggerIndex.h"
#include "script/TriggerWorkBudget.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tw {

class TriggerEngine {
public:
    // Highlights stop being inserted once the block would grow beyond this; the matches still
    // fire. Highlight sequences hold digits and letters that other triggers can match again,
    // so without a bound a few short patterns could multiply a block without end.
    static constexpr std::size_t MaxHighlightedBlock = 1024 * 1024;

    TriggerEngine(ScriptState& state, CommandParser& parser) : state_(state), parser_(parser) {}

    // Every active trigger in list order, every occurrence; returns the echo text of the
    // responses that ran. Nothing happens while triggers are off. Once the block's work budget
    // is spent, the triggers after the match that spent it are not tried on this block.
    std::string RunTriggers(std::string& block);

private:
    ScriptState& state_;
    CommandParser& parser_;
    bool running_ = false;
    PreparedPatternCache patterns_;
    // Which triggers may match the block, for all of them in one pass.
    TriggerIndex index_;
    // The bytes and pairs of the block being run, and of every highlight put into it, for the
    // triggers the index does not hold: most of them hold a pair that the block lacks and are
    // passed over without a search.
    BytePairSet blockPairs_;
    TriggerWorkBudget budget_;
};

} // namespace tw
