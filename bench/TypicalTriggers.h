#pragma once
// Trigger patterns of the kinds players keep, numbered so that each is different: plain
// phrases, patterns with wildcards.
#include <string>

namespace tw::bench {

inline std::string typicalPattern(int i)
{
    switch (i % 4) {
    case 0: return "The monster " + std::to_string(i) + " arrives";
    case 1: return "%% tells you 'word" + std::to_string(i) + "%%'";
    case 2: return "HP: %%/%% MV" + std::to_string(i);
    default: return "You feel thing" + std::to_string(i);
    }
}

} // namespace tw::bench
