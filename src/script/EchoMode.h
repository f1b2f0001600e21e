#pragma once
#include <string>

namespace tw {

// What the terminal shows after a command line or a trigger's response has been run:
// the command itself followed by a line end, only a line end, or nothing.
enum class EchoMode { Command, Enter, None };

// The echo text of one fired response.
inline std::string echoFor(EchoMode mode, const std::string& response)
{
    switch (mode) {
    case EchoMode::Command: return response + "\r\n";
    case EchoMode::Enter: return "\r\n";
    case EchoMode::None: break;
    }
    return {};
}

} // namespace tw
