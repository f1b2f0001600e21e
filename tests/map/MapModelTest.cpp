#include "map/MapModel.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tw {
namespace {

MapExit at(int x, int y, int level) { return {std::uint8_t(x), std::uint8_t(y), std::uint8_t(level)}; }

int roomCount(const MapModel& m)
{
    int n = 0;
    for (int x = 1; x <= 30; ++x)
        for (int y = 1; y <= 30; ++y)
            for (int l = 1; l <= 10; ++l)
                n += m.RoomExists(x, y, l);
    return n;
}

TEST(MapModel, StartsWithOneDefaultRoomAtTheCentre)
{
    MapModel m;
    m.InitRoom(1, 1, 1);
    m.MapFileName = "old.twk";
    m.ExportFileName = "old.map";
    m.MapY = 3;
    m.ViewLevel = 2;
    m.PendingMove = dir::Up;
    m.PendingRoomText = "Hall";
    m.newMap();
    EXPECT_EQ(m.ViewLevel, 5);
    EXPECT_EQ(m.PendingMove, 0);
    EXPECT_EQ(m.PendingRoomText, "");
    EXPECT_EQ(roomCount(m), 1);
    const TMapRoom* r = m.room(15, 15, 5);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->title.str(), "Initialize Me");
    EXPECT_EQ(r->description[0].str(), "Only the first ten lines count!");
    EXPECT_EQ(r->description[1].str(), "");
    for (const MapExit& e : r->exits)
        EXPECT_EQ(e, MapExit{});
    EXPECT_EQ(m.position(), (Cell{15, 15, 5}));
    EXPECT_EQ(m.ViewLevel, 5);
    EXPECT_EQ(m.MapFileName, "");
    EXPECT_EQ(m.ExportFileName, "");
}

// Leaving the program asks to save the map exactly when its rooms differ from the file's.
TEST(MapModel, ChangedMeansTheRoomsDifferFromTheLastOpenedSavedOrNewOnes)
{
    struct Case {
        const char* what;
        void (*act)(MapModel&);
        bool changed;
    };
    const Case cases[] = {
        {"nothing", [](MapModel&) {}, false},
        {"position and view", [](MapModel& m) { m.MapX = 3; m.ViewLevel = 9; m.MapLevel = 1; }, false},
        {"room made", [](MapModel& m) { m.CreateMap(16, 15, 5, 0); }, true},
        {"room deleted", [](MapModel& m) { m.DeleteRoom(15, 15, 5); }, true},
        {"title", [](MapModel& m) { m.room(15, 15, 5)->title.set("Hall"); }, true},
        {"same title again", [](MapModel& m) { m.room(15, 15, 5)->title.set("Initialize Me"); }, false},
        {"last line", [](MapModel& m) { m.room(15, 15, 5)->description[9].set("x"); }, true},
        {"exit level", [](MapModel& m) { m.room(15, 15, 5)->exit(dir::Down).level = 4; }, true},
        {"shift", [](MapModel& m) { m.ShiftEast(); }, true},
        {"changed and made new", [](MapModel& m) { m.CreateMap(1, 1, 1, 0); m.newMap(); }, false},
        {"changed and marked saved", [](MapModel& m) { m.CreateMap(1, 1, 1, 0); m.markSaved(); }, false},
        {"loaded", [](MapModel& m) { RoomGrid g; g.slot(2, 2, 2) = std::make_unique<TMapRoom>(); m.takeRooms(std::move(g), {2, 2, 2}, true); }, false},
        {"the same room elsewhere", [](MapModel& m) { m.DeleteRoom(15, 15, 5); m.InitRoom(15, 16, 5); }, true},
    };
    for (const Case& c : cases) {
        MapModel m;
        c.act(m);
        EXPECT_EQ(m.changed(), c.changed) << c.what;
    }
}

TEST(MapModel, EveryDirectionHasItsStepBack)
{
    for (int d = 1; d <= dir::Count; ++d) {
        const Step s = directionStep(d), back = directionStep(oppositeDirection(d));
        EXPECT_EQ(s.dx + back.dx, 0) << d;
        EXPECT_EQ(s.dy + back.dy, 0) << d;
        EXPECT_EQ(s.dlevel + back.dlevel, 0) << d;
        EXPECT_NE(std::abs(s.dx) + std::abs(s.dy) + std::abs(s.dlevel), 0) << d;
    }
}

TEST(MapModel, CreateMapLinksTheNeighboursTheDirectionAllows)
{
    struct Case {
        int direction;
        bool north, east, above; // which of the three neighbours get linked
    };
    const Case cases[] = {
        {0, true, true, true},
        {dir::South, true, false, false}, // came from the north
        {dir::West, false, true, false},  // came from the east
        {dir::Down, false, false, true},  // came from above
        {dir::North, false, false, false},
        {dir::NorthEast, false, false, false},
        {dir::SouthWest, false, false, false},
    };
    for (const Case& c : cases) {
        MapModel m;
        m.InitRoom(10, 9, 5);
        m.InitRoom(11, 10, 5);
        m.InitRoom(10, 10, 6);
        EXPECT_FALSE(m.CreateMap(10, 10, 5, c.direction));
        const TMapRoom& r = *m.room(10, 10, 5);
        EXPECT_EQ(r.exit(dir::North), c.north ? at(10, 9, 5) : MapExit{}) << c.direction;
        EXPECT_EQ(m.room(10, 9, 5)->exit(dir::South), c.north ? at(10, 10, 5) : MapExit{}) << c.direction;
        EXPECT_EQ(r.exit(dir::East), c.east ? at(11, 10, 5) : MapExit{}) << c.direction;
        EXPECT_EQ(m.room(11, 10, 5)->exit(dir::West), c.east ? at(10, 10, 5) : MapExit{}) << c.direction;
        EXPECT_EQ(r.exit(dir::Up), c.above ? at(10, 10, 6) : MapExit{}) << c.direction;
        EXPECT_EQ(m.room(10, 10, 6)->exit(dir::Down), c.above ? at(10, 10, 5) : MapExit{}) << c.direction;
        EXPECT_EQ(r.exit(dir::South), MapExit{});
    }
}

TEST(MapModel, CreateMapOnAnExistingRoomByHandChangesNothing)
{
    MapModel m;
    m.InitRoom(16, 15, 5);
    EXPECT_TRUE(m.CreateMap(15, 15, 5, 0));
    EXPECT_EQ(m.room(15, 15, 5)->exit(dir::East), MapExit{});
    // A move into a known room links it with the room the player came from.
    EXPECT_TRUE(m.CreateMap(15, 15, 5, dir::West));
    EXPECT_EQ(m.room(15, 15, 5)->exit(dir::East), at(16, 15, 5));
    EXPECT_EQ(m.room(16, 15, 5)->exit(dir::West), at(15, 15, 5));
}

TEST(MapModel, DeleteRoomClearsOnlyTheStraightBackExits)
{
    MapModel m;
    for (const Cell c : {Cell{1, 4, 2}, Cell{2, 4, 2}, Cell{1, 3, 2}, Cell{1, 4, 3}, Cell{2, 3, 2}})
        m.CreateMap(c.x, c.y, c.level, 0);
    m.room(2, 3, 2)->exit(dir::SouthWest) = at(1, 4, 2);
    m.room(2, 4, 2)->exit(dir::North) = at(1, 4, 2); // names the deleted cell, not adjacent to it
    m.DeleteRoom(1, 4, 2);
    EXPECT_FALSE(m.RoomExists(1, 4, 2));
    EXPECT_EQ(m.room(2, 4, 2)->exit(dir::West), MapExit{});
    EXPECT_EQ(m.room(1, 3, 2)->exit(dir::South), MapExit{});
    EXPECT_EQ(m.room(1, 4, 3)->exit(dir::Down), MapExit{});
    EXPECT_EQ(m.room(2, 3, 2)->exit(dir::SouthWest), at(1, 4, 2));
    EXPECT_EQ(m.room(2, 4, 2)->exit(dir::North), at(1, 4, 2));
    m.DeleteRoom(0, 4, 2); // outside: nothing
}

TEST(MapModel, EdgeTestsSeeEveryLevelAndPosition)
{
    struct Case {
        Cell room;
        bool (MapModel::*test)() const;
    };
    const Case cases[] = {
        {{7, 1, 9}, &MapModel::NorthEdgeUsed}, {{3, 30, 1}, &MapModel::SouthEdgeUsed},
        {{1, 22, 4}, &MapModel::WestEdgeUsed}, {{30, 2, 10}, &MapModel::EastEdgeUsed},
        {{5, 5, 1}, &MapModel::BottomLevelUsed}, {{29, 29, 10}, &MapModel::TopLevelUsed},
    };
    for (const Case& c : cases) {
        MapModel m;
        EXPECT_FALSE((m.*c.test)());
        m.InitRoom(c.room.x, c.room.y, c.room.level);
        EXPECT_TRUE((m.*c.test)()) << c.room.x << "," << c.room.y << "," << c.room.level;
    }
}

TEST(MapModel, ShiftEastMovesRoomsExitsAndPositionOrIsRefused)
{
    MapModel m;
    m.CreateMap(16, 15, 5, 0);
    m.InitRoom(1, 1, 1);
    m.room(15, 15, 5)->exit(dir::NorthWest) = {4, 0, 0}; // not present: left alone
    m.ShiftEast();
    ASSERT_TRUE(m.ShiftOk);
    EXPECT_TRUE(m.RoomExists(2, 1, 1));
    EXPECT_FALSE(m.RoomExists(1, 1, 1));
    EXPECT_FALSE(m.RoomExists(15, 15, 5));
    EXPECT_EQ(m.room(16, 15, 5)->exit(dir::East), at(17, 15, 5));
    EXPECT_EQ(m.room(17, 15, 5)->exit(dir::West), at(16, 15, 5));
    EXPECT_EQ(m.room(16, 15, 5)->exit(dir::NorthWest), (MapExit{4, 0, 0}));
    EXPECT_EQ(m.room(16, 15, 5)->exit(dir::North), MapExit{});
    EXPECT_EQ(m.position(), (Cell{16, 15, 5}));

    m.InitRoom(30, 3, 8);
    m.ShiftEast();
    EXPECT_FALSE(m.ShiftOk);
    EXPECT_TRUE(m.RoomExists(16, 15, 5));
    EXPECT_TRUE(m.RoomExists(30, 3, 8));
    EXPECT_EQ(m.position(), (Cell{16, 15, 5}));
}

TEST(MapModel, ShiftsMoveThePositionAndVerticalOnesTheViewedLevel)
{
    struct Case {
        void (MapModel::*shift)();
        Cell position;
        int viewLevel;
        Cell corner, cornerMoved; // a room in a far corner of the grid moves too
    };
    const Case cases[] = {
        {&MapModel::ShiftNorth, {15, 14, 5}, 4, {30, 30, 10}, {30, 29, 10}},
        {&MapModel::ShiftSouth, {15, 16, 5}, 4, {30, 1, 10}, {30, 2, 10}},
        {&MapModel::ShiftWest, {14, 15, 5}, 4, {30, 30, 10}, {29, 30, 10}},
        {&MapModel::ShiftEast, {16, 15, 5}, 4, {1, 30, 10}, {2, 30, 10}},
        {&MapModel::ShiftUp, {15, 15, 6}, 5, {30, 30, 1}, {30, 30, 2}},
        {&MapModel::ShiftDown, {15, 15, 4}, 3, {30, 30, 10}, {30, 30, 9}},
    };
    for (const Case& c : cases) {
        MapModel m;
        m.ViewLevel = 4;
        m.InitRoom(c.corner.x, c.corner.y, c.corner.level);
        (m.*c.shift)();
        EXPECT_TRUE(m.ShiftOk);
        EXPECT_EQ(m.position(), c.position);
        EXPECT_TRUE(m.RoomExists(c.position.x, c.position.y, c.position.level));
        EXPECT_TRUE(m.RoomExists(c.cornerMoved.x, c.cornerMoved.y, c.cornerMoved.level)) << c.corner.x;
        EXPECT_EQ(m.ViewLevel, c.viewLevel);
    }
    // The viewed level and a position on an empty edge cell stay on the grid.
    MapModel m;
    m.ViewLevel = 10;
    m.MapLevel = 10;
    m.ShiftUp();
    EXPECT_EQ(m.ViewLevel, 10);
    EXPECT_EQ(m.MapLevel, 10);
    EXPECT_TRUE(m.RoomExists(15, 15, 6));
    m.ViewLevel = 1;
    m.ShiftDown();
    EXPECT_EQ(m.ViewLevel, 1);
}

} // namespace
} // namespace tw
