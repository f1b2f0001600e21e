// The living map's rules: titles as the player reads them, the hover tip, the cells a tracked
// change redraws, the view that follows the player and the map that saves itself.
#include "map/AutomapTracker.h"
#include "map/MapAutoSave.h"
#include "map/MapFile.h"
#include "map/MapFollow.h"
#include "map/MapPicture.h"
#include "map/RoomEdit.h"
#include "map/RoomSummary.h"
#include "map/VirtualWalk.h"
#include "support/QuietHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tw {
namespace {

TEST(RoomSummary, TitlesReadAsTheTerminalShowsThem)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Town Gate", "Town Gate"},
        {"\x1b[1;32mTown Gate\x1b[0m", "Town Gate"},
        {"\x1b[2J\x1b[H\x1b[cHall\x1b[d", "Hall"},
        {"\x1b[1;3xHall", "[1;3xHall"},         // broken off: shown without its escape
        {"Hall\x1b", "Hall"},
        {"Hall\x1b[", "Hall["},
        {"A\tB\nC\x7f" "D\x07", "A B C D "},       // a bare line feed's title stays on one line
        {"Caf\xc3\xa9 \x1b[" + std::string(60, '1') + "m", "Caf\xc3\xa9 [" + std::string(60, '1') + "m"},
    };
    for (const auto& [stored, read] : cases)
        EXPECT_EQ(titleAsRead(stored), read) << stored;
}

TEST(RoomSummary, TipNamesTheTitleAndTheExits)
{
    MapModel map;
    map.CreateMap(15, 14, 5, 0);
    map.CreateMap(15, 15, 6, 0);
    map.room(15, 15, 5)->title.set("\x1b[33mThe Gate\x1b[0m");
    map.CreateMap(3, 3, 3, 0);
    EXPECT_EQ(roomTip(map, {15, 15, 5}), "The Gate\nExits: North Up");
    EXPECT_EQ(roomTip(map, {3, 3, 3}), "Initialize Me\nExits: None.");
    EXPECT_EQ(roomTip(map, {4, 3, 3}), "");
    EXPECT_EQ(roomTip(map, {31, 3, 3}), "");
}

// The editor and the walk-through show the title as read; the map keeps what the game sent.
TEST(RoomSummary, EditorAndWalkThroughShowTitlesAsRead)
{
    const std::string sent = "\x1b[1;36mThe Hall\x1b[0m";
    struct Case {
        const char* typed; // the title box at OK
        std::string stored;
    };
    const Case cases[] = {{"The Hall", sent}, {"The Great Hall", "The Great Hall"}, {"", ""}};
    for (const Case& c : cases) {
        MapModel map;
        map.room(15, 15, 5)->title.set(sent);
        RoomEditForm form = RoomEdit::fill(map, {15, 15, 5});
        EXPECT_EQ(form.title, "The Hall");
        form.title = c.typed;
        RoomEdit::store(map, {15, 15, 5}, form);
        EXPECT_EQ(map.room(15, 15, 5)->title.str(), c.stored) << c.typed;
    }
    MapModel map;
    map.room(15, 15, 5)->title.set(sent);
    VirtualWalk walk(map);
    walk.start();
    EXPECT_EQ(walk.screen().substr(0, 22), "(15,15,5)\n[ The Hall ]");
}

// Each step redraws only the cells whose drawing it changed: the rooms the disc left and
// reached, a new room, a room that shows a new exit; a shift redraws what moved.
TEST(ChangedCells, AStepRedrawsWhatItChanged)
{
    MapModel map;
    test::QuietHost host;
    AutomapTracker tracker(map, host);
    map.active = true;
    map.InitRoom(15, 1, 5);
    using Cells = std::vector<Cell>;
    const struct {
        const char* command;
        const char* reply;
        Cells changed;
    } steps[] = {
        {"e", "Room\r\n", {{15, 15, 5}, {16, 15, 5}}},
        {"w", "Room\r\n", {{15, 15, 5}, {16, 15, 5}}}, // along known exits: the disc alone
        {"ne", "Room\r\n", {{16, 14, 5}, {15, 15, 5}}}, // a diagonal links nothing
        {"n", "Alas, you cannot go that way.\r\n", {}},
        {"u", "Room\r\n", {{16, 14, 5}}},              // the disc leaves; the room shows "U"
        {"d", "Room\r\n", {{16, 14, 5}}},
        {"", "", {}},
    };
    for (const auto& s : steps) {
        const LevelLooks before = LevelLooks::of(map);
        tracker.command(s.command);
        tracker.receive(s.reply);
        EXPECT_EQ(changedCells(before, LevelLooks::of(map)), s.changed) << s.command;
    }
    // At the top edge the map shifts south first: every room moves down a row, a new one on top.
    map.MapX = 15;
    map.MapY = 1;
    LevelLooks before = LevelLooks::of(map);
    tracker.command("n");
    tracker.receive("Room\r\n");
    EXPECT_EQ(changedCells(before, LevelLooks::of(map)),
              (Cells{{15, 1, 5}, {15, 2, 5}, {16, 14, 5}, {15, 15, 5}, {16, 15, 5}, {15, 16, 5}, {16, 16, 5}}));
    map.ViewLevel = 6;
    before = LevelLooks::of(map);
    map.ViewLevel = 5;
    EXPECT_EQ(changedCells(before, LevelLooks::of(map)).size(), 900u);
}

TEST(MapFollow, OnlyFollowingShowsThePlayersLevel)
{
    MapModel map;
    map.MapLevel = 3;
    MapFollow follow;
    EXPECT_FALSE(follow.follow(map));
    EXPECT_EQ(map.ViewLevel, 5);
    follow.on = true;
    EXPECT_TRUE(follow.follow(map));
    EXPECT_EQ(map.ViewLevel, 3);
}

TEST(MapFollow, TheViewMovesOnlyWhenTheRoomAndItsNeighboursLeaveIt)
{
    using View = MapFollow::View;
    struct Case {
        View view;
        Cell cell;
        View expected;
    };
    const View v{300, 300, 300, 240}; // cells 11-20 across, 11-18 down
    const Case cases[] = {
        {v, {15, 15, 5}, v},
        {v, {12, 12, 5}, v},
        {v, {19, 17, 5}, v},
        {v, {11, 15, 5}, {165, 315, 300, 240}}, // its west neighbour is out of sight: centred
        {v, {15, 18, 5}, {285, 405, 300, 240}},
        {v, {25, 3, 5}, {585, -45, 300, 240}},  // the scroll bars keep it on the board
        {{0, 0, 300, 240}, {1, 1, 5}, {0, 0, 300, 240}},
        {{0, 0, 60, 60}, {5, 5, 5}, {105, 105, 60, 60}}, // too small for three cells
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapFollow::keepInSight(c.view, c.cell, 30), c.expected) << c.cell.x << "," << c.cell.y;
}

TEST(MapAutoSave, SavesAChangedMapWithAFileOnlyWhileOn)
{
    test::TempDir dir;
    const std::string file = dir.file("walk.twk");
    MapModel map;
    MapAutoSave autoSave;
    ASSERT_FALSE(MapFile::save(map, file));
    map.CreateMap(16, 15, 5, 0);
    EXPECT_FALSE(autoSave.due(map));
    EXPECT_FALSE(autoSave.saveChanges(map));
    EXPECT_EQ(std::filesystem::file_size(file), 2 + 924u);
    autoSave.on = true;
    EXPECT_TRUE(autoSave.due(map));
    EXPECT_FALSE(autoSave.saveChanges(map));
    EXPECT_EQ(std::filesystem::file_size(file), 2 + 2 * 924u);
    EXPECT_FALSE(map.changed());

    // Unchanged, nothing is written; a file that cannot be written says why and stays.
    std::filesystem::remove(file);
    EXPECT_FALSE(autoSave.saveChanges(map));
    EXPECT_FALSE(std::filesystem::exists(file));
    map.CreateMap(17, 15, 5, 0);
    map.MapFileName = dir.path.string();
    EXPECT_TRUE(autoSave.saveChanges(map));
    EXPECT_TRUE(map.changed());
    map.MapFileName.clear();
    EXPECT_FALSE(autoSave.due(map));
}

} // namespace
} // namespace tw
