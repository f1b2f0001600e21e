#pragma once
// GMCP, the out-of-band game data of today's servers: a package name and a JSON value inside a
// telnet subnegotiation. Builds the messages the world sends and reads what a client tells
// about itself.
#include "TelnetReader.h"
#include "Vitals.h"

#include <string>
#include <string_view>

namespace tw::practice {

class WorldMap;

namespace gmcp {

// A room's number is this plus its index in the map.
inline constexpr int kRoomNumberBase = 1000;

// IAC SB GMCP, the package, a blank and the JSON, IAC SE; a byte 255 inside is doubled.
std::string message(std::string_view package, std::string_view json);
// Hit points as numbers, mana and movement as strings of digits: games differ, clients cope.
std::string vitals(const Vitals& vitals);
// Every exit is listed with the number of the room it leads to, a closed door's too.
std::string roomInfo(const WorldMap& map, int room);
std::string channelText(std::string_view channel, std::string_view talker, std::string_view text);

// Notes the client's Core.Hello and Core.Supports.Set in `info`; anything else, and bad JSON,
// is ignored. `payload` is the subnegotiation after the option byte.
void readClientMessage(std::string_view payload, TelnetInfo& info);

} // namespace gmcp
} // namespace tw::practice
