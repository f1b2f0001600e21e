#include "map/VirtualWalk.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct Walk : ::testing::Test {
    MapModel map;
    VirtualWalk walk{map};

    Walk()
    {
        map.CreateMap(15, 14, 5, 0); // north of the start room
        map.CreateMap(15, 15, 6, 0); // above it
        TMapRoom& start = *map.room(15, 15, 5);
        start.title.set("Gate");
        start.description[1].set("");
        start.description[2].set("Second line");
        map.room(15, 14, 5)->title.set("Road");
        walk.start();
    }
    // The screen's text added by the last command, from its echo on.
    std::string after(std::size_t mark) const { return walk.screen().substr(mark); }
    std::size_t promptMark() const { return walk.screen().size() - 2; }
};

TEST_F(Walk, ShowsTheRoomWithItsExitsOnAFreshScreen)
{
    const std::string first = "(15,15,5)\n[ Gate ]\n\nOnly the first ten lines count!\nSecond line\n\n"
                              "Exits:  North Up\n\n> ";
    EXPECT_EQ(walk.screen(), first);
    walk.run("look");
    walk.start();
    EXPECT_EQ(walk.screen(), first);
    EXPECT_EQ(walk.lineCount(), 9u);
}

TEST_F(Walk, CommandsAreChosenByTheirFirstLetters)
{
    struct Case {
        const char* typed;
        std::string shown;
        Cell position;
    };
    const Case cases[] = {
        {"s", "> SOUTH\nAlas, you cannot go that way.\n\n> ", {15, 15, 5}},
        {"exit", "> EAST\nAlas, you cannot go that way.\n\n> ", {15, 15, 5}},
        {"northwest", "> NORTHWEST\nAlas, you cannot go that way.\n\n> ", {15, 15, 5}},
        {"NORTHEAST", "> NORTHEAST\nAlas, you cannot go that way.\n\n> ", {15, 15, 5}},
        {"Dance", "> DOWN\nAlas, you cannot go that way.\n\n> ", {15, 15, 5}},
        {"x", "> ", {15, 15, 5}},
        {"", "> ", {15, 15, 5}},
        {"north", "> NORTH\n\n(15,14,5)\n[ Road ]\n\nOnly the first ten lines count!\n\nExits:  South\n\n> ", {15, 14, 5}},
        {"list", "> LOOK\n\n(15,14,5)\n[ Road ]\n\nOnly the first ten lines count!\n\nExits:  South\n\n> ", {15, 14, 5}},
        {"g", "> GOTO\nUSAGE: GOTO <x>,<y>,<level>\n<x> and <y> are integers of range 1 to 30\n"
              "<level> is an integer of range 1 to 10\n\n> ", {15, 14, 5}},
        {"goto 3,4", "> GOTO ???\nInvalid coordinates\n\n> ", {15, 14, 5}},
        {"goto x,4,5", "> GOTO ???\nInvalid coordinates\n\n> ", {15, 14, 5}},
        {"goto 3,4,5,6", "> GOTO ???\nInvalid coordinates\n\n> ", {15, 14, 5}},
        {"goto 40,15,5", "> GOTO (40,15,5)\nRoom at specified coordinates does not exist\n\n> ", {15, 14, 5}},
        {"goto 14,15,5", "> GOTO (14,15,5)\nRoom at specified coordinates does not exist\n\n> ", {15, 14, 5}},
        {"go 15,15,6", "> GOTO (15,15,6)\n\n(15,15,6)\n[ Initialize Me ]\n\nOnly the first ten lines count!\n\nExits:  Down\n\n> ", {15, 15, 6}},
        {"help", "> HELP\n\n> ", {15, 15, 6}},
    };
    for (const Case& c : cases) {
        const std::size_t mark = promptMark();
        const VirtualWalk::Action action = walk.run(c.typed);
        EXPECT_EQ(after(mark), c.shown) << c.typed;
        EXPECT_EQ(map.position(), c.position) << c.typed;
        EXPECT_EQ(action, std::string(c.typed) == "help" ? VirtualWalk::Action::Help : VirtualWalk::Action::None);
    }
    std::size_t mark = promptMark();
    EXPECT_EQ(walk.run("edit"), VirtualWalk::Action::Edit);
    EXPECT_EQ(after(mark), "> EDIT\n");
    mark = walk.screen().size();
    EXPECT_EQ(walk.run("quit"), VirtualWalk::Action::Quit);
    EXPECT_EQ(walk.screen().substr(mark - 1), "\n> QUIT\n");
}

// A room deleted on the map window, where the position or an exit still points.
TEST_F(Walk, EmptyCellsAndExitsOffTheGridCannotBreakIt)
{
    map.room(15, 15, 5)->exit(dir::West) = {200, 15, 5};
    std::size_t mark = promptMark();
    walk.run("w");
    EXPECT_EQ(after(mark), "> WEST\nAlas, you cannot go that way.\n\n> ");
    map.DeleteRoom(15, 14, 5);
    map.room(15, 15, 5)->exit(dir::North) = {15, 14, 5};
    mark = promptMark();
    walk.run("n");
    EXPECT_EQ(after(mark), "> NORTH\n\n(15,14,5)\nThere is no room at these coordinates.\n\n> ");
    mark = promptMark();
    walk.run("s");
    EXPECT_EQ(after(mark), "> SOUTH\nAlas, you cannot go that way.\n\n> ");
}

TEST_F(Walk, TheScreenIsHalvedBeyondFiveHundredLines)
{
    // Each look adds ten lines and 91 characters; the 50th passes 500 lines.
    for (int i = 0; i < 49; ++i)
        walk.run("l");
    EXPECT_EQ(walk.lineCount(), 9u + 49 * 10);
    const std::size_t grown = walk.screen().size() + 91;
    walk.run("l");
    EXPECT_EQ(walk.screen().size(), grown - (grown + 1) / 2);
    EXPECT_EQ(walk.screen().front(), '(');
    EXPECT_EQ(walk.screen().substr(walk.screen().size() - 2), "> ");
    EXPECT_LT(walk.lineCount(), 260u);
}

} // namespace
} // namespace tw
