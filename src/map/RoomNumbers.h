#pragma once
// The game's numbers of the rooms on the map, and the exits the game named for each: where a
// game sends room data, the map knows its rooms by these numbers. A number belongs to at most
// one cell and a cell has at most one number. The map file has no place for them; they travel
// in a file of their own beside it (RoomNumberFile).
#include "map/GameRoom.h"
#include "map/RoomGrid.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tw {

class RoomNumbers {
public:
    RoomNumbers() : byCell_(RoomGrid::CellCount, 0) {}

    // The number of a cell's room, 0 when it has none.
    std::int64_t at(const Cell& cell) const;
    std::optional<Cell> cellOf(std::int64_t number) const;
    // The exits the game named for a numbered room; null for a number not on the map.
    const std::vector<GameExit>* exitsOf(std::int64_t number) const;

    // Gives a cell's room its number (0 takes it away), replacing the cell's number before and
    // taking the number from any other cell.
    void set(const Cell& cell, std::int64_t number, std::vector<GameExit> exits = {});
    void erase(const Cell& cell) { set(cell, 0); }
    void clear();
    // Every number moves with the rooms; numbers pushed off the grid go.
    void shift(int dx, int dy, int dlevel);

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    struct Entry {
        Cell cell;
        std::int64_t number;
        const std::vector<GameExit>* exits;
    };
    // Every numbered room, in the order of their cells (level, row, column).
    std::vector<Entry> sorted() const;

private:
    struct Room {
        Cell cell;
        std::vector<GameExit> exits;
    };
    static std::size_t index(const Cell& c) { return RoomGrid::ordinal(c); }
    std::unordered_map<std::int64_t, Room> entries_;
    std::vector<std::int64_t> byCell_;
};

} // namespace tw
