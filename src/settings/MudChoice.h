#pragma once
// Which game of the MUD list the window offers first, and which entry a bare address belongs to.
#include "settings/MudEntry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tw {

// The entry whose line equals lastUsedLine (the game last connected to), else the first
// entry; nothing for an empty list.
std::optional<std::size_t> preselectedMud(const MudList& muds, const std::string& lastUsedLine);

// The first entry for host and port (the host without regard to letter case, the port by the
// number its text begins with); nothing when the list has none.
std::optional<std::size_t> mudForAddress(const MudList& muds, const std::string& host, std::uint16_t port);

} // namespace tw
