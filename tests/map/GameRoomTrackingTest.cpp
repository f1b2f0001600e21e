#include "map/AutomapTracker.h"
#include "map/MapFile.h"
#include "map/RoomNumberFile.h"

#include "base/FileIo.h"
#include "support/RecordingHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tw {
namespace {

// A little world: 1 (start) north to 2, 2 east to 3, 3 south-west back to 1, and 4, reached
// by no exit.
const GameRoom Start{1, "Town Gate", {{dir::North, 2}, {dir::East, 5}}};
const GameRoom Road{2, "North Road", {{dir::South, 1}, {dir::East, 3}}};
const GameRoom Corner{3, "Corner", {{dir::West, 2}, {dir::SouthWest, 1}}};
const GameRoom Tower{4, "Wizard's Tower", {}};

struct GameRooms : ::testing::Test {
    test::RecordingHost host;
    MapModel map;
    AutomapTracker tracker{map, host};

    GameRooms() { map.active = true; }
    std::string titleAt(const Cell& c) const
    {
        const TMapRoom* r = map.room(c.x, c.y, c.level);
        return r ? r->title.str() : "<none>";
    }
    MapExit exitOf(const Cell& c, int d) const { return map.room(c.x, c.y, c.level)->exit(d); }
    static MapExit to(const Cell& c) { return {std::uint8_t(c.x), std::uint8_t(c.y), std::uint8_t(c.level)}; }
};

TEST_F(GameRooms, MovesOnlyWhereTheGameSaysAndLinksTheExitsItNames)
{
    const Cell gate{15, 15, 5}, road{15, 14, 5}, corner{16, 14, 5};
    // The first room the game names is the one the map stands in.
    EXPECT_EQ(tracker.gameRoom(Start), AutomapTracker::Outcome::Moved);
    EXPECT_EQ(titleAt(gate), "Town Gate");
    // Typed moves and the text no longer move anyone; a refusal is still told.
    tracker.command("n");
    EXPECT_EQ(tracker.receive("North Road\r\n"), AutomapTracker::Outcome::Nothing);
    tracker.command("w");
    EXPECT_EQ(tracker.receive("Alas, you cannot go that way.\r\n"), AutomapTracker::Outcome::Refused);
    EXPECT_EQ(map.position(), gate);
    // Two moves typed before the reply: each room is placed from the room before it.
    tracker.command("n");
    tracker.command("e");
    EXPECT_EQ(tracker.gameRoom(Road), AutomapTracker::Outcome::Moved);
    EXPECT_EQ(tracker.gameRoom(Corner), AutomapTracker::Outcome::Moved);
    EXPECT_EQ(map.position(), corner);
    EXPECT_EQ(titleAt(road), "North Road");
    EXPECT_EQ(titleAt(corner), "Corner");
    EXPECT_EQ(exitOf(gate, dir::North), to(road));
    EXPECT_EQ(exitOf(road, dir::South), to(gate));
    EXPECT_EQ(exitOf(road, dir::East), to(corner));
    EXPECT_EQ(exitOf(corner, dir::West), to(road));
    // An exit may lead anywhere: the corner's south-west way goes back to the gate.
    EXPECT_EQ(exitOf(corner, dir::SouthWest), to(gate));
    EXPECT_FALSE(exitOf(gate, dir::East).present()); // room 5 is not known yet
    // A known room is walked into, not made again; the same room again changes nothing.
    // Both link the exits the game names now.
    map.room(gate.x, gate.y, gate.level)->title.set("My gate");
    GameRoom gateWithPath = Start;
    gateWithPath.exits.push_back({dir::NorthEast, 3});
    EXPECT_EQ(tracker.gameRoom(gateWithPath), AutomapTracker::Outcome::Moved);
    EXPECT_EQ(exitOf(gate, dir::NorthEast), to(corner));
    gateWithPath.exits.push_back({dir::Up, 2});
    EXPECT_EQ(tracker.gameRoom(gateWithPath), AutomapTracker::Outcome::Nothing);
    EXPECT_EQ(exitOf(gate, dir::Up), to(road));
    EXPECT_EQ(map.position(), gate);
    EXPECT_EQ(titleAt(gate), "My gate");
    EXPECT_EQ(map.numbers.size(), 3u);
    EXPECT_TRUE(host.statuses.empty());
}

TEST_F(GameRooms, ARoomNoKnownExitLeadsToIsNotPlacedUntilAKnownOneComes)
{
    tracker.gameRoom(Start);
    tracker.gameRoom(Road);
    for (const GameRoom& r : {Tower, GameRoom{6, "Tower top", {}}}) {
        EXPECT_EQ(tracker.gameRoom(r), AutomapTracker::Outcome::Nothing);
        EXPECT_EQ(host.lastStatus(), AutomapTracker::LostText);
        EXPECT_EQ(map.position(), (Cell{15, 14, 5}));
        EXPECT_FALSE(map.numbers.cellOf(r.number));
    }
    // Ctrl+click on a room without a number says the game's room is there.
    map.MapX = 14;
    tracker.positionSetByHand();
    EXPECT_FALSE(map.numbers.cellOf(6)); // no room there
    map.InitRoom(14, 14, 5);
    tracker.positionSetByHand();
    EXPECT_EQ(map.numbers.cellOf(6), (Cell{14, 14, 5}));
    EXPECT_EQ(titleAt({14, 14, 5}), "Tower top");
    EXPECT_EQ(tracker.gameRoom(Start), AutomapTracker::Outcome::Moved);
    EXPECT_EQ(map.position(), (Cell{15, 15, 5}));

    // A cell that holds a room of another number is not taken either.
    map.InitRoom(15, 13, 5);
    map.numbers.set({15, 13, 5}, 99);
    tracker.gameRoom(Road);
    EXPECT_EQ(tracker.gameRoom(GameRoom{7, "Beyond", {}}), AutomapTracker::Outcome::Nothing);
    GameRoom roadNorth = Road;
    roadNorth.exits.push_back({dir::North, 8});
    tracker.gameRoom(roadNorth);
    EXPECT_EQ(tracker.gameRoom(GameRoom{8, "Clash", {}}), AutomapTracker::Outcome::Nothing);
    EXPECT_EQ(map.numbers.at({15, 13, 5}), 99);
    EXPECT_EQ(host.lastStatus(), AutomapTracker::LostText);

    // A new connection forgets where the game was. Off, the automapper only remembers the room
    // the game names, and switched on it is the room the map stands in.
    tracker.connectionStarted();
    EXPECT_FALSE(tracker.followsGame());
    map.newMap();
    map.active = false;
    EXPECT_EQ(tracker.gameRoom(Start), AutomapTracker::Outcome::Nothing);
    EXPECT_TRUE(tracker.followsGame());
    EXPECT_TRUE(map.numbers.empty());
    map.active = true;
    EXPECT_EQ(tracker.gameRoom(Start), AutomapTracker::Outcome::Moved); // "look"
    map.numbers.clear();
    EXPECT_EQ(tracker.gameRoom(Road), AutomapTracker::Outcome::Moved);
    EXPECT_EQ(map.numbers.cellOf(1), (Cell{15, 15, 5}));
    EXPECT_EQ(map.numbers.cellOf(2), (Cell{15, 14, 5}));
}

TEST_F(GameRooms, NumbersFollowTheRoomsWhenTheMapShiftsAndGoWithDeletedRooms)
{
    map.MapY = 1; // an empty cell: the game's first room is made there
    tracker.gameRoom(Start);
    EXPECT_EQ(titleAt({15, 1, 5}), "Town Gate");
    EXPECT_EQ(tracker.gameRoom(Road), AutomapTracker::Outcome::Moved);
    EXPECT_EQ(map.numbers.cellOf(1), (Cell{15, 2, 5}));
    EXPECT_EQ(map.numbers.cellOf(2), (Cell{15, 1, 5}));
    EXPECT_EQ(map.position(), (Cell{15, 1, 5}));
    map.DeleteRoom(15, 2, 5);
    EXPECT_FALSE(map.numbers.cellOf(1));
    map.InitRoom(15, 1, 5);
    EXPECT_TRUE(map.numbers.empty());
}

TEST(RoomNumberFile, RoundTripsBesideTheMapAndSkipsWhatDoesNotFit)
{
    test::TempDir dir;
    test::RecordingHost host;
    MapModel m;
    m.InitRoom(16, 15, 5);
    m.numbers.set({15, 15, 5}, 1001, {{dir::East, 1002}, {dir::Up, 0}});
    m.numbers.set({16, 15, 5}, 1002, {{dir::West, 1001}});
    const std::string path = dir.file("town.twk");
    ASSERT_FALSE(MapFile::save(m, path));
    EXPECT_EQ(test::fileText(path + ".rooms"),
              "Tarnwick room numbers 1\n15 15 5 1001 e=1002 u=0\n16 15 5 1002 w=1001\n");
    MapModel opened;
    ASSERT_TRUE(MapFile::open(opened, path, host));
    EXPECT_EQ(RoomNumberFile::serialise(opened.numbers), test::fileText(path + ".rooms"));
    EXPECT_FALSE(opened.changed());
    opened.numbers.set({16, 15, 5}, 1003);
    EXPECT_TRUE(opened.changed());
    EXPECT_TRUE(host.boxes.empty());

    // Lines that name an empty cell, a bad direction or no number are counted and left out.
    test::putFile(path + ".rooms", "Tarnwick room numbers 1\r\n15 15 5 1001\r\n1 1 1 5\r\n16 15 5 x\r\n"
                                   "16 15 5 7 q=1\n16 15 5 7 n=\n99999999999 15 5 1\n15 4294967311 5 1\n\n16 15 5 8 n=1001\n");
    ASSERT_TRUE(MapFile::open(opened, path, host));
    EXPECT_EQ(RoomNumberFile::serialise(opened.numbers), "Tarnwick room numbers 1\n15 15 5 1001\n16 15 5 8 n=1001\n");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "6 lines of " + path + ".rooms do not fit this map; their room numbers were left out.");
    EXPECT_TRUE(RoomNumberFile::parse("15 15 5 1001\n", opened.grid).numbers.empty()); // no header

    // A map saved without numbers empties the file, so it cannot number other rooms later.
    MapModel plain;
    ASSERT_FALSE(MapFile::save(plain, path));
    EXPECT_EQ(test::fileText(path + ".rooms"), "Tarnwick room numbers 1\n");
    const std::string fresh = dir.file("fresh.twk");
    ASSERT_FALSE(MapFile::save(plain, fresh));
    EXPECT_FALSE(std::filesystem::exists(fresh + ".rooms"));

    // A side file that is no file is said; the map opens all the same.
    std::filesystem::create_directory(fresh + ".rooms");
    EXPECT_TRUE(MapFile::open(opened, fresh, host));
    EXPECT_EQ(host.boxes.back().text, "The room numbers in " + fresh + ".rooms could not be read: Not a regular file.");
}

} // namespace
} // namespace tw
