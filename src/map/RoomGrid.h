#pragma once
// The 30 x 30 x 10 cells of the map, each empty or owning one room. Coordinates are 1-based:
// x the column (1 west), y the row (1 north), level (1 bottom).
#include "map/MapRoom.h"

#include <memory>
#include <vector>

namespace tw {

struct Cell {
    int x = 0, y = 0, level = 0;
    bool operator==(const Cell&) const = default;
};

class RoomGrid {
public:
    static constexpr int Columns = 30, Rows = 30, Levels = 10;
    static constexpr int CellCount = Columns * Rows * Levels;

    RoomGrid() : cells_(CellCount) {}

    static bool inside(int x, int y, int level)
    {
        return x >= 1 && x <= Columns && y >= 1 && y <= Rows && level >= 1 && level <= Levels;
    }
    static bool inside(const Cell& c) { return inside(c.x, c.y, c.level); }
    // A cell's place (from 0) in the order level, row, column: the order the map file keeps.
    static std::size_t ordinal(const Cell& c)
    {
        return std::size_t(((c.level - 1) * Rows + (c.y - 1)) * Columns + (c.x - 1));
    }

    // The room in a cell, or null when the cell is empty or lies outside the grid.
    TMapRoom* at(int x, int y, int level)
    {
        return inside(x, y, level) ? cells_[index(x, y, level)].get() : nullptr;
    }
    const TMapRoom* at(int x, int y, int level) const
    {
        return inside(x, y, level) ? cells_[index(x, y, level)].get() : nullptr;
    }
    const TMapRoom* at(const Cell& c) const { return at(c.x, c.y, c.level); }
    std::unique_ptr<TMapRoom>& slot(int x, int y, int level) { return cells_[index(x, y, level)]; }

    void clear()
    {
        for (auto& c : cells_)
            c.reset();
    }

private:
    // x outermost, level innermost.
    static std::size_t index(int x, int y, int level)
    {
        return std::size_t(((x - 1) * Rows + (y - 1)) * Levels + (level - 1));
    }
    std::vector<std::unique_ptr<TMapRoom>> cells_;
};

} // namespace tw
