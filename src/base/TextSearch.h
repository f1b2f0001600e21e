#pragma once
// The status texts of Find in the plain view.
#include <string>
#include <string_view>

namespace tw {

// An empty search text, and a search that found nothing (Cannot find "what".).
inline constexpr const char* FindWhatText = "Find what?";
std::string cannotFindText(std::string_view what);

} // namespace tw
