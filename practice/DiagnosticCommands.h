#pragma once
// Commands that exist for testing clients: a flood of coloured lines for load tests and
// benchmarks, and raw bytes for tests of odd input (NUL, escape sequences, byte 255).
#include "ReplyBuilder.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw::practice {

class DiagnosticCommands {
public:
    static constexpr long kMaxFloodLines = 200000;

    // Appends the lines and returns true, or returns false when the count is not 1..kMaxFloodLines.
    static bool flood(std::string_view count, ReplyBuilder& reply);
    static std::string floodLine(long number);
    // Pairs of hex digits, blanks between pairs allowed; nothing when malformed or empty.
    static std::optional<std::string> decodeHex(std::string_view hex);
};

} // namespace tw::practice
