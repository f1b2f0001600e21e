#pragma once
#include <string>
#include <vector>

namespace tw {

// One trigger: pattern, response and the six-character switch string
// (active flag, "0", two-digit foreground index, two-digit background index).
struct TriggerEntry {
    std::string pattern;
    std::string response;
    std::string switches = "100000";

    bool active() const { return !switches.empty() && switches[0] == '1'; }
    std::string line() const { return (active() ? "(*) " : "( ) ") + pattern + " --> " + response; }
    bool operator==(const TriggerEntry&) const = default;
};

using TriggerList = std::vector<TriggerEntry>;

} // namespace tw
