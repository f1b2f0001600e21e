#pragma once
// The rooms of the practice world and the exits between them. The map is fixed and shared by
// every session; what changes during play (the door, the player's place) lives in PlayerState.
#include "Direction.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tw::practice {

struct Exit {
    int to = -1;       // room index, -1 when there is no exit
    bool door = false; // the one closed door of the world stands in this exit
};

struct Room {
    std::string title;
    std::vector<std::string> description;
    int x = 0;
    int y = 0;
    int level = 0;
    bool guard = false;
    std::array<Exit, kDirectionCount> exits{};

    const Exit& exit(Direction direction) const { return exits[static_cast<std::size_t>(direction) - 1]; }
    Exit& exit(Direction direction) { return exits[static_cast<std::size_t>(direction) - 1]; }
};

class WorldMap {
public:
    WorldMap();

    int roomCount() const { return static_cast<int>(rooms_.size()); }
    const Room& room(int index) const { return rooms_.at(static_cast<std::size_t>(index)); }
    int startRoom() const { return startRoom_; }
    // Index of the room with this exact title, -1 when there is none.
    int findRoom(std::string_view title) const;

private:
    int add(std::string title, int x, int y, int level, std::vector<std::string> description);
    void link(int from, Direction direction, int to, bool door = false);

    std::vector<Room> rooms_;
    int startRoom_ = 0;
};

} // namespace tw::practice
