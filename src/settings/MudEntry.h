#pragma once
#include <string>
#include <vector>

namespace tw {

// One game in the MUD list. The port is kept as typed; it may be a service name.
struct MudEntry {
    std::string name;
    std::string address;
    std::string port;

    std::string line() const { return name + " --> " + address + ":" + port; }
    bool operator==(const MudEntry&) const = default;
};

using MudList = std::vector<MudEntry>;

} // namespace tw
