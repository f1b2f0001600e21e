#pragma once
// The state of the command language that the session owns: the alias and trigger lists, the
// capture slots, the delay queue, the two toggles, the echo mode and the random generator.
#include "script/AliasEntry.h"
#include "script/CaptureSlots.h"
#include "script/DelayQueue.h"
#include "script/EchoMode.h"
#include "script/TriggerEntry.h"

#include <random>

namespace tw {

struct ScriptState {
    AliasList aliases;
    TriggerList triggers;
    CaptureSlots captures;
    DelayQueue delays;
    bool triggersOn = true;
    bool aliasesOn = true;
    EchoMode echo = EchoMode::Command;
    // The colour sequence the echoed commands are drawn in; empty for the text's own colours.
    std::string echoColour;
    std::mt19937 rng;
};

} // namespace tw
