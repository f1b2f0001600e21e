#pragma once
// A channel line as the Channels window lists it.
#include "net/GameData.h"

#include <string>

namespace tw {

// "[channel] talker: text" as UTF-8, without the game's escape sequences, on one line (the
// line breaks of a message become spaces); an empty channel or talker leaves out its part.
std::string channelLineText(const ChannelText& line);

} // namespace tw
