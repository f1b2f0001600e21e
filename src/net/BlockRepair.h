#pragma once
#include <string>
#include <string_view>

namespace tw {

// The largest block one read takes from the socket.
constexpr std::size_t MaxReadBlock = 64001;

// Turns one read into a block: NUL bytes are dropped (the text after them is kept), and every
// line feed followed by a carriage return becomes a carriage return followed by a line feed.
std::string repairBlock(std::string_view raw);

} // namespace tw
