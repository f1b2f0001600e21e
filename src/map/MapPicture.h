#pragma once
// What the map window draws in one cell of the viewed level; the window turns it into pixels.
#include "map/MapModel.h"

#include <array>

namespace tw {

struct CellLook {
    bool room = false;
    bool up = false, down = false; // the letters "U" and "D"
    // Half-lines from the centre towards the eight flat directions (index d - 1, d = 1..8),
    // drawn where the exit names the adjacent cell that way.
    std::array<bool, 8> lines{};
};

CellLook cellLook(const MapModel& map, int x, int y, int viewLevel);

} // namespace tw
