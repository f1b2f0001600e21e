#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Reads a whole number the way the program's number boxes and #DELAY do: optional blanks,
// an optional sign, then decimal digits or "$" and hexadecimal digits, nothing after them.
// Values outside the 32-bit signed range are not numbers.
std::optional<long> parseWholeNumber(std::string_view text);

// A number box's check when the player leaves it: text that is not a whole number becomes
// fallback, a value outside low..high becomes the bound it passed, anything else stays.
std::string clampedNumberText(const std::string& text, long low, long high, const char* fallback);

// The number a text begins with: leading blanks skipped, then the digits up to the first
// other character; 0 when no digit comes first. Used for port texts.
unsigned long leadingNumber(std::string_view text);

} // namespace tw
