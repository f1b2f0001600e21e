#pragma once
// Runs the triggers over each received block: highlights the matches and runs the responses.
#include "script/CommandParser.h"
#include "script/ScriptState.h"

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
    // responses that ran. Nothing happens while triggers are off.
    std::string RunTriggers(std::string& block);


private:
    ScriptState& state_;
    CommandParser& parser_;
};

} // namespace tw
