#include "Direction.h"

#include "TextUtil.h"

#include <array>

namespace tw::practice {

namespace {

struct DirectionWords {
    Direction direction;
    std::string_view shortWord;
    std::string_view longWord;
    Step step;
};

constexpr std::array<DirectionWords, kDirectionCount> kWords{{
    {Direction::North, "n", "north", {0, -1, 0}},
    {Direction::South, "s", "south", {0, 1, 0}},
    {Direction::West, "w", "west", {-1, 0, 0}},
    {Direction::East, "e", "east", {1, 0, 0}},
    {Direction::NorthWest, "nw", "northwest", {-1, -1, 0}},
    {Direction::NorthEast, "ne", "northeast", {1, -1, 0}},
    {Direction::SouthWest, "sw", "southwest", {-1, 1, 0}},
    {Direction::SouthEast, "se", "southeast", {1, 1, 0}},
    {Direction::Up, "u", "up", {0, 0, 1}},
    {Direction::Down, "d", "down", {0, 0, -1}},
}};

const DirectionWords& wordsOf(Direction direction)
{
    return kWords[static_cast<std::size_t>(direction) - 1];
}

} // namespace

std::optional<Direction> parseDirection(std::string_view word)
{
    const std::string lower = toLower(word);
    for (const auto& entry : kWords) {
        if (lower == entry.shortWord || lower == entry.longWord)
            return entry.direction;
    }
    return std::nullopt;
}

std::string_view directionName(Direction direction)
{
    return wordsOf(direction).longWord;
}

std::string_view directionShortName(Direction direction)
{
    return wordsOf(direction).shortWord;
}

Direction opposite(Direction direction)
{
    switch (direction) {
    case Direction::North: return Direction::South;
    case Direction::South: return Direction::North;
    case Direction::West: return Direction::East;
    case Direction::East: return Direction::West;
    case Direction::NorthWest: return Direction::SouthEast;
    case Direction::NorthEast: return Direction::SouthWest;
    case Direction::SouthWest: return Direction::NorthEast;
    case Direction::SouthEast: return Direction::NorthWest;
    case Direction::Up: return Direction::Down;
    case Direction::Down: return Direction::Up;
    }
    return Direction::North;
}

Step stepOf(Direction direction)
{
    return wordsOf(direction).step;
}

Direction directionFromCode(int code)
{
    return static_cast<Direction>(code);
}

} // namespace tw::practice
