#include "WorldMap.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tw::practice {
namespace {

// A client maps by counting steps, so every exit must lead to the neighbouring cell in its
// direction, and the way back must exist.
TEST(WorldMap, EveryExitLeadsToTheNeighbouringCellAndBack)
{
    const WorldMap map;
    for (int index = 0; index < map.roomCount(); ++index) {
        const Room& room = map.room(index);
        for (int code = 1; code <= kDirectionCount; ++code) {
            const Direction direction = directionFromCode(code);
            const Exit& exit = room.exit(direction);
            if (exit.to < 0)
                continue;
            SCOPED_TRACE(room.title + " " + std::string(directionName(direction)));
            ASSERT_LT(exit.to, map.roomCount());
            const Room& target = map.room(exit.to);
            const Step step = stepOf(direction);
            EXPECT_EQ(target.x, room.x + step.dx);
            EXPECT_EQ(target.y, room.y + step.dy);
            EXPECT_EQ(target.level, room.level + step.dlevel);
            EXPECT_EQ(target.exit(opposite(direction)).to, index);
            EXPECT_EQ(target.exit(opposite(direction)).door, exit.door);
        }
    }
}

TEST(WorldMap, HasTwentyRoomsOnSeveralLevelsWithEveryKindOfExitAndOneDoor)
{
    const WorldMap map;
    EXPECT_GE(map.roomCount(), 20);
    std::set<int> levels;
    std::set<Direction> used;
    std::set<std::string> titles;
    std::set<std::tuple<int, int, int>> cells;
    int doorSides = 0;
    int guards = 0;
    for (int index = 0; index < map.roomCount(); ++index) {
        const Room& room = map.room(index);
        levels.insert(room.level);
        titles.insert(room.title);
        cells.insert({room.x, room.y, room.level});
        guards += room.guard ? 1 : 0;
        // The client keeps 80 characters of a title; colours come on top of the text.
        EXPECT_LE(room.title.size(), 60u) << room.title;
        for (int code = 1; code <= kDirectionCount; ++code) {
            const Exit& exit = room.exit(directionFromCode(code));
            if (exit.to >= 0)
                used.insert(directionFromCode(code));
            doorSides += exit.door ? 1 : 0;
        }
    }
    EXPECT_GE(levels.size(), 2u);
    EXPECT_EQ(used.size(), static_cast<std::size_t>(kDirectionCount));
    EXPECT_EQ(titles.size(), static_cast<std::size_t>(map.roomCount())) << "titles are unique";
    EXPECT_EQ(cells.size(), static_cast<std::size_t>(map.roomCount())) << "one room per cell";
    EXPECT_EQ(doorSides, 2) << "one door, seen from both sides";
    EXPECT_EQ(guards, 1);
    EXPECT_TRUE(map.room(map.startRoom()).guard);
}

TEST(WorldMap, EveryRoomCanBeReachedFromTheStart)
{
    const WorldMap map;
    std::vector<bool> seen(static_cast<std::size_t>(map.roomCount()), false);
    std::vector<int> open{map.startRoom()};
    seen[static_cast<std::size_t>(map.startRoom())] = true;
    while (!open.empty()) {
        const int index = open.back();
        open.pop_back();
        for (const Exit& exit : map.room(index).exits) {
            if (exit.to >= 0 && !seen[static_cast<std::size_t>(exit.to)]) {
                seen[static_cast<std::size_t>(exit.to)] = true;
                open.push_back(exit.to);
            }
        }
    }
    for (int index = 0; index < map.roomCount(); ++index)
        EXPECT_TRUE(seen[static_cast<std::size_t>(index)]) << map.room(index).title;
}

TEST(Direction, ParsesShortAndLongWordsInAnyCase)
{
    struct Case {
        const char* word;
        std::optional<Direction> expected;
    };
    const Case cases[] = {
        {"n", Direction::North},       {"N", Direction::North},          {"north", Direction::North},
        {"NorthEast", Direction::NorthEast}, {"ne", Direction::NorthEast}, {"sw", Direction::SouthWest},
        {"southwest", Direction::SouthWest}, {"u", Direction::Up},        {"up", Direction::Up},
        {"d", Direction::Down},        {"down", Direction::Down},        {"w", Direction::West},
        {"", std::nullopt},            {"nne", std::nullopt},            {"norths", std::nullopt},
        {"look", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseDirection(c.word), c.expected) << c.word;
}

} // namespace
} // namespace tw::practice
