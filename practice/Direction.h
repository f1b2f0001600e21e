#pragma once
// The ten directions of the world, numbered as the client's automapper numbers them.
#include <optional>
#include <string_view>

namespace tw::practice {

enum class Direction {
    North = 1,
    South = 2,
    West = 3,
    East = 4,
    NorthWest = 5,
    NorthEast = 6,
    SouthWest = 7,
    SouthEast = 8,
    Up = 9,
    Down = 10,
};

inline constexpr int kDirectionCount = 10;

struct Step {
    int dx = 0;
    int dy = 0;
    int dlevel = 0;
};

// Accepts the short and the long word ("ne", "northeast"), in any letter case.
std::optional<Direction> parseDirection(std::string_view word);
std::string_view directionName(Direction direction);
std::string_view directionShortName(Direction direction); // "n", "ne", "u" ...
Direction opposite(Direction direction);
// North is -y and up is +level, as on the client's map grid.
Step stepOf(Direction direction);
Direction directionFromCode(int code);

} // namespace tw::practice
