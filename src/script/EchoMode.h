#pragma once
#include "net/AnsiColour.h"

#include <string>
#include <string_view>

namespace tw {

// What the terminal shows after a command line or a trigger's response has been run:
// the command itself followed by a line end, only a line end, or nothing.
enum class EchoMode { Command, Enter, None };

// The echo text of one command line or fired response; with a colour (a colour sequence) the
// command is drawn in it, and the text after it keeps its colours.
inline std::string echoFor(EchoMode mode, const std::string& response, std::string_view colour = {})
{
    switch (mode) {
    case EchoMode::Command:
        return (colour.empty() ? response : inColours(colour, response)) + "\r\n";
    case EchoMode::Enter: return "\r\n";
    case EchoMode::None: break;
    }
    return {};
}

} // namespace tw
