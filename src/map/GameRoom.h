#pragma once
// A room as the game itself describes it beside its text: its number, its name and the numbers
// of the rooms its exits lead to.
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

struct GameExit {
    int direction = 0;        // a direction code of MapRoom.h (1..10)
    std::int64_t number = 0;  // the game's number of the room it leads to
    bool operator==(const GameExit&) const = default;
};

struct GameRoom {
    std::int64_t number = 0;
    std::string name;
    std::vector<GameExit> exits;
    bool operator==(const GameRoom&) const = default;
};

} // namespace tw
