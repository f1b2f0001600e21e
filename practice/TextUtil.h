#pragma once
// Small text helpers for the command handlers; all texts are single bytes.
#include <string>
#include <utility>
#include <string_view>

namespace tw::practice {

std::string toLower(std::string_view text);
std::string_view trim(std::string_view text);
// Splits "verb rest of line" at the first run of blanks; rest is trimmed.
std::pair<std::string_view, std::string_view> splitFirstWord(std::string_view text);
bool containsWord(std::string_view lowerText, std::string_view lowerWord);

} // namespace tw::practice
