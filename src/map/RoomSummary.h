#pragma once
// A room in a few words, as the player reads it: its title without the game's colour codes,
// and the names of its exits. The stored bytes stay as the game sent them.
#include "map/MapModel.h"

#include <string>
#include <string_view>

namespace tw {

// The title as the terminal shows it: an escape sequence that the colour view takes for a
// command is left out, one that breaks off shows as text without its escape character, and
// every other control character reads as a blank.
std::string titleAsRead(std::string_view title);

// A blank and the name of each present exit, in direction order: " North Up".
std::string exitNames(const TMapRoom& room);

// What the map window tells about a cell on a rest of the mouse: the room's title as read and
// a line "Exits: North Up" ("Exits: None." without any); empty for an empty cell.
std::string roomTip(const MapModel& map, const Cell& cell);

} // namespace tw
