#include "map/RoomEdit.h"
#include "map/Speedwalk.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(RoomEdit, FillShowsTheRoomOrADefaultOneWithoutCreatingIt)
{
    MapModel m;
    m.CreateMap(15, 14, 5, 0);
    RoomEditForm f = RoomEdit::fill(m, {15, 15, 5});
    EXPECT_EQ(RoomEdit::caption({15, 15, 5}), "Room Editor - (15,15,5)");
    EXPECT_EQ(f.title, "Initialize Me");
    EXPECT_EQ(f.description, "Only the first ten lines count!\n\n\n\n\n\n\n\n\n");
    EXPECT_TRUE(f.checked[0]);
    EXPECT_EQ(f.coords[0], (std::array<std::string, 3>{"15", "14", "5"}));
    EXPECT_FALSE(f.checked[1]);
    EXPECT_EQ(f.coords[1], (std::array<std::string, 3>{"0", "0", "0"}));
    f = RoomEdit::fill(m, {3, 3, 3});
    EXPECT_EQ(f.title, "Initialize Me");
    EXPECT_FALSE(m.RoomExists(3, 3, 3));
}

TEST(RoomEdit, CoordinateBoxesAcceptOnlyCellsOfTheGrid)
{
    RoomEditForm f;
    f.coords[0] = {"30", "1", "10"};
    f.coords[1] = {"31", "0", "11"};
    f.coords[2] = {"x", "", "-1"};
    f.coords[3] = {" 7", "$1E", "5 "};
    RoomEdit::checkCoordinates(f);
    EXPECT_EQ(f.coords[0], (std::array<std::string, 3>{"30", "1", "10"}));
    EXPECT_EQ(f.coords[1], (std::array<std::string, 3>{"0", "0", "0"}));
    EXPECT_EQ(f.coords[2], (std::array<std::string, 3>{"0", "0", "0"}));
    EXPECT_EQ(f.coords[3], (std::array<std::string, 3>{" 7", "$1E", "0"}));
}

TEST(RoomEdit, OkStoresTextsAndKeepsOnlyExitsToRooms)
{
    MapModel m;
    m.InitRoom(20, 5, 3);
    RoomEditForm f = RoomEdit::fill(m, {2, 2, 2});
    f.title = std::string(90, 't');
    f.description = "one\n" + std::string(85, 'd') + "\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12";
    f.coords[dir::NorthEast - 1] = {"20", "5", "3"};   // an existing room anywhere: kept
    f.coords[dir::North - 1] = {"20", "6", "3"};       // an empty cell: dropped
    f.coords[dir::South - 1] = {"31", "5", "3"};       // off the grid: dropped
    f.coords[dir::West - 1] = {"20", "5", "x"};        // not a number: dropped, nothing half-stored
    RoomEdit::store(m, {2, 2, 2}, f);
    const TMapRoom& r = *m.room(2, 2, 2);
    EXPECT_EQ(r.title.str(), std::string(80, 't'));
    EXPECT_EQ(r.description[0].str(), "one");
    EXPECT_EQ(r.description[1].str(), std::string(80, 'd'));
    EXPECT_EQ(r.description[9].str(), "10");
    EXPECT_EQ(r.exit(dir::NorthEast), (MapExit{20, 5, 3}));
    for (int d : {dir::North, dir::South, dir::West, dir::East})
        EXPECT_EQ(r.exit(d), MapExit{}) << d;
    // No back exit is made, and a shorter description empties the lines after it.
    EXPECT_EQ(m.room(20, 5, 3)->exit(dir::SouthWest), MapExit{});
    f.description = "a\nb\nc";
    RoomEdit::store(m, {2, 2, 2}, f);
    EXPECT_EQ(r.description[2].str(), "c");
    EXPECT_EQ(r.description[3].str(), "");
    EXPECT_EQ(r.description[9].str(), "");
}

TEST(Speedwalk, FindsAShortestWayOverTheStoredExits)
{
    MapModel m;
    // A ring 15,15 -> 16,15 -> 16,14 and a shortcut up and down, one diagonal, one dead exit.
    m.CreateMap(16, 15, 5, 0);
    m.CreateMap(16, 14, 5, 0);
    m.CreateMap(16, 14, 6, 0);
    m.CreateMap(17, 13, 6, 0);
    m.room(16, 14, 6)->exit(dir::NorthEast) = {17, 13, 6};
    m.room(15, 15, 5)->exit(dir::West) = {14, 15, 5}; // leads to an empty cell
    m.InitRoom(1, 1, 1);                               // no way there
    struct Case {
        Cell to;
        std::optional<std::vector<std::string>> steps;
    };
    const Case cases[] = {
        {{15, 15, 5}, std::vector<std::string>{}},
        {{16, 14, 5}, std::vector<std::string>{"e", "n"}},
        {{17, 13, 6}, std::vector<std::string>{"e", "n", "u", "ne"}},
        {{1, 1, 1}, std::nullopt},
        {{14, 15, 5}, std::nullopt},
        {{31, 1, 1}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Speedwalk::route(m, m.position(), c.to), c.steps) << c.to.x << "," << c.to.y;
    EXPECT_EQ(Speedwalk::route(m, {17, 13, 6}, {15, 15, 5}), std::nullopt); // no way back from there
    EXPECT_EQ(Speedwalk::route(m, {16, 14, 6}, {15, 15, 5}), (std::vector<std::string>{"d", "s", "w"}));
}

} // namespace
} // namespace tw
