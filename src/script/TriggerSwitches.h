#pragma once
// The rules the trigger edit dialog applies: which patterns it accepts, and the six-character
// switch string it builds from its controls and reads back into them.
#include <string>
#include <string_view>

namespace tw {

struct TriggerSwitches {
    static constexpr int ForeColorCount = 17; // "No highlight" and the 16 colours
    static constexpr int BackColorCount = 8;

    bool active = true;
    int fore = 0; // index in the Foreground Color list, 0 = no highlight
    int back = 0; // index in the Background Color list

    // "1" or "0", "0", then the two indexes as two digits each: active yellow on blue is
    // "101501".
    std::string toString() const;

    // Reads a stored switch string. An index that is not two digits or lies outside its list
    // (a damaged or foreign file) reads as 0, so the dialog always shows a valid entry.
    static TriggerSwitches fromString(std::string_view switches);

    // A pattern is refused when it is empty or when its first "%%" is its last two
    // characters: such a pattern would end in a wildcard that nothing bounds.
    static bool acceptsPattern(std::string_view pattern);
};

} // namespace tw
