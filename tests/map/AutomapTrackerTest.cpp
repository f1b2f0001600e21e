#include "map/AutomapTracker.h"

#include "support/RecordingHost.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct Tracking : ::testing::Test {
    test::RecordingHost host;
    MapModel map;
    AutomapTracker tracker{map, host};

    Tracking() { map.active = true; }
    // A command, then the reply in blocks.
    void move(const std::string& command, std::initializer_list<std::string> blocks)
    {
        tracker.command(command);
        for (const std::string& b : blocks)
            tracker.receive(b);
    }
    std::string titleHere() const
    {
        const TMapRoom* r = map.room(map.MapX, map.MapY, map.MapLevel);
        return r ? r->title.str() : "<no room>";
    }
};

TEST_F(Tracking, MovementCommandsAreExactShortWords)
{
    const std::pair<const char*, int> cases[] = {
        {"n", 1}, {"N", 1}, {"s", 2}, {"W", 3}, {"e", 4}, {"nw", 5}, {"NE", 6}, {"sw", 7},
        {"SE", 8}, {"u", 9}, {"D", 10}, {"Nw", 0}, {"nW", 0}, {"north", 0}, {"x", 0}, {"", 0},
        {" n", 0}, {"dn", 0},
    };
    for (const auto& [text, code] : cases)
        EXPECT_EQ(movementDirection(text), code) << text;
    map.PendingMove = 3;
    map.PendingRoomText = "partial";
    tracker.command("say");
    EXPECT_EQ(map.PendingMove, 3);
    EXPECT_EQ(map.PendingRoomText, "partial");
    tracker.command("l");
    EXPECT_EQ(map.PendingMove, 3);
    EXPECT_EQ(map.PendingRoomText, "");
    map.active = false;
    tracker.command("e");
    EXPECT_EQ(map.PendingMove, 3);
}

TEST_F(Tracking, AMoveCreatesLinksAndNamesTheRoom)
{
    move("n", {"\x1b[1mMarket\x1b[0m\r\nA busy place.\r\n> "});
    EXPECT_EQ(map.position(), (Cell{15, 14, 5}));
    EXPECT_EQ(titleHere(), "\x1b[1mMarket\x1b[0m");
    EXPECT_EQ(map.room(15, 14, 5)->exit(dir::South), (MapExit{15, 15, 5}));
    EXPECT_EQ(map.room(15, 15, 5)->exit(dir::North), (MapExit{15, 14, 5}));
    EXPECT_EQ(map.PendingMove, 0);
    EXPECT_EQ(map.PendingRoomText, "");
    // Back into the known room: its title becomes the new reply's first line.
    move("s", {"Gate\r\n"});
    EXPECT_EQ(map.position(), (Cell{15, 15, 5}));
    EXPECT_EQ(titleHere(), "Gate");
    // A diagonal move links nothing.
    move("ne", {"Corner\r\n"});
    EXPECT_EQ(map.position(), (Cell{16, 14, 5}));
    for (const MapExit& e : map.room(16, 14, 5)->exits)
        EXPECT_FALSE(e.present());
}

TEST_F(Tracking, TheTitleIsTheFirstLineHoweverItArrives)
{
    struct Case {
        std::initializer_list<std::string> blocks;
        std::string title;
    };
    const std::string longLine(100, 'x');
    const Case cases[] = {
        {{"Dark Fo", "rest\r\nTrees."}, "Dark Forest"},
        {{"\r\nNo name"}, ""},
        {{"Line one\nline two\n", "\r\n"}, "Line one\nline two\n"},
        {{longLine + "\r\n"}, std::string(80, 'x')},
        {{"Someone says: Alas, you cannot go that way.\r\n"}, "Someone says: Alas, you cannot go that way."},
    };
    for (const Case& c : cases) {
        map.newMap();
        map.active = true;
        move("w", c.blocks);
        EXPECT_EQ(map.position(), (Cell{14, 15, 5}));
        EXPECT_EQ(titleHere(), c.title);
    }
    // Bare line feeds gather up to 255 characters until a carriage return comes.
    map.newMap();
    map.active = true;
    tracker.command("e");
    for (int i = 0; i < 40; ++i)
        tracker.receive("0123456789\n");
    EXPECT_EQ(map.PendingRoomText.size(), 255u);
    tracker.receive("\r");
    std::string expected;
    for (int i = 0; i < 7; ++i)
        expected += "0123456789\n";
    EXPECT_EQ(titleHere(), expected + "012");
}

TEST_F(Tracking, FailureRepliesRecordNoMove)
{
    for (const char* reply : {"Alas, you cannot go that way.\r\n", "The gate is closed.\r\n",
                              "It is closed. Really.\r\n"}) {
        move("n", {reply});
        EXPECT_EQ(map.position(), (Cell{15, 15, 5})) << reply;
        EXPECT_EQ(map.PendingMove, 0);
        EXPECT_EQ(map.PendingRoomText, "");
    }
    EXPECT_FALSE(map.RoomExists(15, 14, 5));
}

TEST_F(Tracking, OnlyTheLastOfTwoMovesBeforeTheReplyCounts)
{
    tracker.command("n");
    tracker.command("e");
    tracker.receive("East\r\n");
    EXPECT_EQ(map.position(), (Cell{16, 15, 5}));
    // Off, the hook waits; on again, the wait resumes.
    tracker.command("s");
    map.active = false;
    tracker.receive("South\r\n");
    EXPECT_EQ(map.PendingMove, dir::South);
    map.active = true;
    tracker.receive("South\r\n");
    EXPECT_EQ(map.position(), (Cell{16, 16, 5}));
}

TEST_F(Tracking, EdgesShiftTheMapOrSwitchTheAutomapperOff)
{
    // "ne" at column 30 with column 1 empty: the map moves west first.
    map.MapX = 30;
    map.MapY = 10;
    map.CreateMap(30, 10, 5, 0);
    move("ne", {"Edge\r\n"});
    EXPECT_EQ(map.position(), (Cell{30, 9, 5}));
    EXPECT_TRUE(map.RoomExists(29, 10, 5));
    EXPECT_TRUE(map.RoomExists(14, 15, 5));
    EXPECT_EQ(titleHere(), "Edge");

    // With a room in column 1 the map is full that way.
    map.InitRoom(1, 20, 2);
    move("e", {"Beyond\r\n"});
    EXPECT_EQ(host.lastStatus(), "AutoMap at max size");
    EXPECT_FALSE(map.active);
    EXPECT_TRUE(map.ShiftOk);
    EXPECT_EQ(map.PendingMove, 0);
    EXPECT_EQ(map.PendingRoomText, "Beyond");
    EXPECT_EQ(map.position(), (Cell{30, 9, 5}));

    // "u" at level 10 with level 1 empty: everything goes down a level, the view too.
    map.active = true;
    map.MapLevel = 10;
    map.ViewLevel = 10;
    move("u", {"Sky\r\n"});
    EXPECT_EQ(map.position(), (Cell{30, 9, 10}));
    EXPECT_EQ(map.ViewLevel, 9);
    EXPECT_TRUE(map.RoomExists(1, 20, 1));
    EXPECT_EQ(titleHere(), "Sky");

    // Northwest at the corner shifts south and then east.
    MapModel corner;
    corner.MapX = corner.MapY = 1;
    AutomapTracker t2{corner, host};
    corner.active = true;
    t2.command("nw");
    t2.receive("Corner\r\n");
    EXPECT_EQ(corner.position(), (Cell{1, 1, 5}));
    EXPECT_TRUE(corner.RoomExists(16, 16, 5));
}

} // namespace
} // namespace tw
