#pragma once
// One message of out-of-band game data as the game sent it inside its telnet subnegotiation:
// a package name ("Char.Vitals") and, after a space, a JSON value.
#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

struct GmcpMessage {
    std::string package;  // as the game wrote it
    nlohmann::json value; // null when the message carries none

    // Package names compare without regard to letter case.
    bool is(std::string_view name) const;
};

// Brackets nested deeper than this are no game's data; the payload is refused before it is
// parsed, so that a flood of '[' cannot exhaust the stack.
inline constexpr std::size_t MaxGmcpNesting = 64;

// The message in a payload, or nothing when it has no package name, its JSON does not parse,
// or its JSON nests too deep.
std::optional<GmcpMessage> parseGmcp(std::string_view payload);

} // namespace tw
