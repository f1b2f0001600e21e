#pragma once
// The colours the world paints with: SGR sequences, bold and several fore- and backgrounds.
#include <string_view>

namespace tw::practice::ansi {

inline constexpr std::string_view kReset = "\x1b[0m";
inline constexpr std::string_view kTitle = "\x1b[1;36m";        // bold cyan
inline constexpr std::string_view kExits = "\x1b[32m";          // green
inline constexpr std::string_view kClosedDoor = "\x1b[1;37;41m"; // bold white on red
inline constexpr std::string_view kGuard = "\x1b[37;44m";       // grey on blue
inline constexpr std::string_view kSpeech = "\x1b[1;35m";       // bold magenta
inline constexpr std::string_view kHunger = "\x1b[1;33m";       // bold yellow
inline constexpr std::string_view kBanner = "\x1b[1;33;44m";    // bold yellow on blue
inline constexpr std::string_view kNotice = "\x1b[36m";         // cyan
inline constexpr std::string_view kHeading = "\x1b[1;32;40m";   // bold green on black
inline constexpr std::string_view kWarning = "\x1b[31m";        // red

} // namespace tw::practice::ansi
