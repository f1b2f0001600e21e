#include "net/AnsiColour.h"

#include "core/Terminal.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(AnsiColour, AttrToSgr)
{
    EXPECT_EQ(AttrToSgr(7), "\x1b[0;37;40m");
    EXPECT_EQ(AttrToSgr(30), "\x1b[1;33;44m");
    EXPECT_EQ(AttrToSgr(0x4C), "\x1b[1;31;41m");
    EXPECT_EQ(AttrToSgr(0xF3), "\x1b[0;36;47m"); // background brightness is dropped
}

TEST(AnsiColour, EverySequenceIsTenCharactersAndSelectsItsColours)
{
    for (int attr = 0; attr < 256; ++attr) {
        const std::string sgr = AttrToSgr(std::uint8_t(attr));
        ASSERT_EQ(sgr.size(), 10u) << attr;
        Terminal t;
        t.WriteTerminal(sgr + "X");
        const ScreenCell& cell = t.model().line(1).cell(1);
        EXPECT_EQ(cell.foreground, attr % 16) << attr;
        EXPECT_EQ(cell.background, (attr / 16) % 8) << attr;
    }
}

} // namespace
} // namespace tw
