#pragma once
// What the map window draws in one cell of the viewed level; the window turns it into pixels.
#include "map/MapModel.h"

#include <array>
#include <vector>

namespace tw {

struct CellLook {
    bool room = false;
    bool up = false, down = false; // the letters "U" and "D"
    // Half-lines from the centre towards the eight flat directions (index d - 1, d = 1..8),
    // drawn where the exit names the adjacent cell that way.
    std::array<bool, 8> lines{};
    bool operator==(const CellLook&) const = default;
};

CellLook cellLook(const MapModel& map, int x, int y, int viewLevel);

// The picture of the viewed level as looks: every cell's and the cell of the current-room
// disc (x 0 when the picture shows none).
struct LevelLooks {
    int level = 0;
    std::array<CellLook, RoomGrid::Columns * RoomGrid::Rows> cells{};
    Cell disc;

    static LevelLooks of(const MapModel& map);
    const CellLook& at(int x, int y) const { return cells[std::size_t((y - 1) * RoomGrid::Columns + (x - 1))]; }
};

// The cells (x, y and the level drawn) whose drawing differs between two pictures, row by
// row: a cell whose look changed, and the cells the disc left and reached. Every cell when
// the pictures show different levels.
std::vector<Cell> changedCells(const LevelLooks& before, const LevelLooks& after);

} // namespace tw
