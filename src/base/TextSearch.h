#pragma once
// Find in the plain view: a forward search through single-byte text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Finds the first occurrence of what in text that starts at from or later. Without
// matchCase, letters compare without regard to case (ASCII and the accented letters of the
// Western code page). An occurrence that ends exactly at the end of the text is found.
// Returns its start, or nothing when there is none or what is empty.
std::optional<std::size_t> findForward(std::string_view text, std::string_view what,
                                       std::size_t from, bool matchCase);

// The status texts of Find: an empty search text, and a search that found nothing
// (Cannot find "what".).
inline constexpr const char* FindWhatText = "Find what?";
std::string cannotFindText(std::string_view what);

} // namespace tw
