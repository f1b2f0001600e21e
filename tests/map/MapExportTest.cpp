#include "map/MapExport.h"
#include "map/MapPicture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace tw {
namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

TEST(MapExport, NewMapIsOneLevelWithOneStar)
{
    MapModel m;
    const std::vector<std::string> lines = linesOf(MapExport::render(m.grid));
    ASSERT_EQ(lines.size(), 1u + 1 + 90 + 2);
    EXPECT_EQ(lines[0], "LEVEL 5");
    EXPECT_EQ(lines[1], "");
    for (int i = 0; i < 90; ++i) {
        const std::string& l = lines[std::size_t(2 + i)];
        ASSERT_EQ(l.size(), 90u);
        EXPECT_EQ(l, i == 43 ? std::string(43, ' ') + "*" + std::string(46, ' ') : std::string(90, ' ')) << i;
    }
    EXPECT_EQ(lines[92], "");
    EXPECT_EQ(lines[93], "");
}

TEST(MapExport, ExitsDrawAroundTheStarAndLevelsComeInOrder)
{
    MapModel m;
    m.DeleteRoom(15, 15, 5);
    m.CreateMap(1, 1, 7, 0);
    m.CreateMap(2, 1, 7, 0);
    m.room(2, 1, 7)->exit(dir::Up) = {2, 1, 8}; // up and down leave no mark
    m.CreateMap(30, 1, 7, 0);
    m.room(30, 1, 7)->exit(dir::SouthEast) = {31, 2, 7};
    m.CreateMap(5, 5, 2, 0);
    TMapRoom& r = *m.room(5, 5, 2);
    r.exit(dir::NorthWest) = {4, 4, 2};
    r.exit(dir::NorthEast) = {6, 4, 9}; // the level byte is not examined
    r.exit(dir::SouthWest) = {4, 6, 0};
    r.exit(dir::SouthEast) = {6, 6, 2};
    r.exit(dir::North) = {5, 0, 2}; // no y: not shown
    const std::vector<std::string> lines = linesOf(MapExport::render(m.grid));
    ASSERT_EQ(lines.size(), 2u * 94);
    EXPECT_EQ(lines[0], "LEVEL 2");
    EXPECT_EQ(lines[94], "LEVEL 7");
    // Row 5 of level 2 is drawing lines 12..14; column 5 is characters 12..14.
    EXPECT_EQ(lines[2 + 12].substr(12, 3), "\\ /");
    EXPECT_EQ(lines[2 + 13].substr(12, 3), " * ");
    EXPECT_EQ(lines[2 + 14].substr(12, 3), "/ \\");
    EXPECT_EQ(lines[94 + 2 + 1].substr(0, 7), " *--*  ");
    EXPECT_EQ(lines[94 + 2 + 0], std::string(90, ' '));
    EXPECT_EQ(lines[94 + 2 + 1].substr(87), " * ");
    EXPECT_EQ(lines[94 + 2 + 2].substr(87), "  \\");
}

// View Export opens the last file written: a failed export leaves the name of the one before.
TEST(MapExport, OnlyAWrittenFileBecomesTheExportFile)
{
    test::TempDir dir;
    MapModel m;
    EXPECT_FALSE(MapExport::write(m, dir.file("town.map")));
    EXPECT_EQ(m.ExportFileName, dir.file("town.map"));
    EXPECT_EQ(test::fileText(dir.file("town.map")), MapExport::render(m.grid));
    EXPECT_EQ(MapExport::write(m, dir.file("missing/x.map")), "File not found");
    EXPECT_EQ(m.ExportFileName, dir.file("town.map"));
}

TEST(MapPicture, CellsShowRoomsLettersAndLinesToAdjacentCells)
{
    MapModel m;
    TMapRoom& r = *m.room(15, 15, 5);
    r.exit(dir::Up) = {1, 1, 6};      // only the level byte counts for the letters
    r.exit(dir::Down) = {15, 15, 3};  // not the level below: no "D"
    r.exit(dir::East) = {16, 15, 9};  // the adjacent cell's column and row: a line
    r.exit(dir::West) = {10, 15, 5};  // not adjacent: nothing
    r.exit(dir::SouthEast) = {16, 16, 5};
    const CellLook look = cellLook(m, 15, 15, 5);
    EXPECT_TRUE(look.room);
    EXPECT_TRUE(look.up);
    EXPECT_FALSE(look.down);
    EXPECT_EQ(look.lines, (std::array<bool, 8>{false, false, false, true, false, false, false, true}));
    EXPECT_FALSE(cellLook(m, 15, 15, 4).room);
    r.exit(dir::Down) = {15, 15, 4};
    EXPECT_TRUE(cellLook(m, 15, 15, 5).down);
}

// An exit with a zero byte is no exit, wherever its other bytes would point.
TEST(MapPicture, AbsentExitsDrawNothing)
{
    struct Case {
        Cell room;
        int direction;
        MapExit exit;
        bool drawn;
    };
    const Case cases[] = {
        {{4, 4, 1}, dir::Down, {0, 0, 0}, false},  {{4, 4, 1}, dir::Down, {4, 4, 0}, false},
        {{4, 4, 2}, dir::Down, {4, 4, 1}, true},   {{4, 4, 5}, dir::Down, {0, 0, 4}, false},
        {{4, 4, 5}, dir::Up, {4, 0, 6}, false},    {{1, 1, 5}, dir::NorthWest, {0, 0, 0}, false},
        {{1, 2, 5}, dir::North, {1, 1, 0}, false}, {{2, 2, 5}, dir::NorthWest, {1, 1, 5}, true},
    };
    for (const Case& c : cases) {
        MapModel m;
        m.InitRoom(c.room.x, c.room.y, c.room.level);
        m.room(c.room.x, c.room.y, c.room.level)->exit(c.direction) = c.exit;
        const CellLook look = cellLook(m, c.room.x, c.room.y, c.room.level);
        const bool drawn = c.direction == dir::Up     ? look.up
                           : c.direction == dir::Down ? look.down
                                                      : look.lines[std::size_t(c.direction - 1)];
        EXPECT_EQ(drawn, c.drawn) << c.room.x << "," << c.room.y << "," << c.room.level << " d" << c.direction;
        const bool anything = look.up || look.down || look.lines != std::array<bool, 8>();
        EXPECT_EQ(anything, c.drawn);
    }
}

} // namespace
} // namespace tw
