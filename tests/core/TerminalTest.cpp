// The scrollback's append rules and the view position.
#include "core/ScrollbackCut.h"
#include "core/Terminal.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

const std::string Reset = "\x1b[0;37;40m";

std::string numberedLines(int from, int to)
{
    std::string s;
    for (int i = from; i <= to; ++i)
        s += "line " + std::to_string(i) + "\r\n";
    return s;
}

// Pages down to the last page and redraws once more, which sets the at-bottom flag.
void toTheLastPage(Terminal& t)
{
    t.ScrollToStart();
    while (t.model().LineCount() - t.TopLine() >= t.RowCount())
        t.ScrollPageDown();
    t.WriteTerminal("");
    ASSERT_TRUE(t.atBottom());
}

TEST(TerminalAppend, KeepsTheEndOfATextLongerThanTheBuffer)
{
    Terminal t(100);
    t.setRowCount(2);
    t.WriteTerminal("a\r\nb\r\nc\r\nd\r\ne\r\n");
    toTheLastPage(t);
    ASSERT_NE(t.TopLine(), 0);

    const std::string text(95, 'a');
    std::string longText = "x" + text; // 96 > 100 - 10
    t.WriteTerminal(longText);
    EXPECT_EQ(t.ScrollbackBuffer(), Reset + std::string(90, 'a'));
    EXPECT_EQ(t.TopLine(), 0);
    EXPECT_FALSE(t.atBottom());

    // Exactly as long as the room beside the reset sequence: the older half goes, but the
    // view stays where the player scrolled it.
    Terminal u(100);
    u.setRowCount(2);
    u.WriteTerminal("a\r\nb\r\nc\r\nd\r\n");
    u.ScrollToStart();
    u.WriteTerminal(std::string(90, 'z'));
    EXPECT_EQ(u.ScrollbackBuffer(), Reset + std::string(90, 'z'));
    EXPECT_NE(u.TopLine(), 0);
}

TEST(TerminalAppend, DropsTheOlderHalfWhenNearlyFull)
{
    Terminal t(100);
    const std::string old = "\x1b[31m" + std::string(75, 'o') + "0123456789"; // 90, red
    t.WriteTerminal(old.substr(0, 80));
    t.WriteTerminal(old.substr(80)); // 90 >= 100 - 10
    ASSERT_EQ(t.ScrollbackBuffer().size(), 60u);
    EXPECT_EQ(t.ScrollbackBuffer().substr(0, 10), Reset);
    EXPECT_EQ(t.ScrollbackBuffer().substr(10), old.substr(40));
    // The red of the dropped half does not reach the kept text.
    EXPECT_EQ(t.model().line(1).cell(1).foreground, 7);
    EXPECT_EQ(t.model().line(1).cell(1).character, 'o');

    // Just below the threshold nothing is dropped.
    Terminal u(100);
    u.WriteTerminal(std::string(50, 'a'));
    u.WriteTerminal(std::string(39, 'b'));
    EXPECT_EQ(u.ScrollbackBuffer().size(), 89u);
}

TEST(TerminalAppend, NeverLosesTheNewestTextWhenHalvingIsNotEnough)
{
    Terminal t(100);
    t.WriteTerminal(std::string(89, 'o'));
    const std::string text = std::string(79, 'n') + "!"; // 10 + 45 + 80 would exceed 100
    t.WriteTerminal(text);
    const std::string& b = t.ScrollbackBuffer();
    EXPECT_EQ(b.size(), 100u);
    EXPECT_EQ(b.substr(0, 10), Reset);
    EXPECT_EQ(b.substr(20), text);
    EXPECT_EQ(b.substr(10, 10), std::string(10, 'o'));
}

TEST(ScrollbackCut, KeptTextBeginsAtALineOrPastTheCutSequence)
{
    const struct {
        std::string older, newer;
        std::size_t cut;
        bool utf8;
        std::size_t kept;
    } cases[] = {
        {"abc\r\ndef", "", 1, false, 5},                // the next line, past CR LF
        {"abc\rdef", "", 1, false, 4},
        {"ab\r\ncd\r\ne", "", 4, false, 4},             // already a line's start
        {"a\rbc\rd", "", 3, false, 5},
        {"\x1b[35mFl\r\nx", "", 3, false, 9},           // the next line wins over the sequence
        {"\x1b[35mFlood", "", 3, false, 5},             // "5mFlood" becomes "Flood"
        {"\x1b[49mFlood", "", 1, false, 5},             // right behind the escape character
        {"x\x1b[1;35mFlood", "", 2, false, 8},
        {"abcdef", "", 3, false, 3},                    // no sequence: the cut stays
        {"\x1b[12xab", "", 3, false, 3},                // shown as text anyway
        {"\x1b[12", "", 3, false, 3},                   // never finished: shown as text
        {"ab\x1b[3", "1mZ", 4, false, 7},               // the sequence ends in the new text
        {"ab\x1b", "[0mZ", 3, false, 6},
        {"ab\x1b", "", 3, false, 3},
        {"\x1b[" + std::string(60, '1') + "m", "", 55, false, 55}, // too long for a sequence
        {"\x1b[" + std::string(49, '1') + "mZ", "", 3, false, 3},
        {"\x1b[" + std::string(48, '1') + "mZ", "", 3, false, 51}, // as long as one can be
        {std::string(5, 'a') + "[" + std::string(49, '1') + "mZ", "", 55, false, 55}, // no escape
        {"a\xc3\xa9" "b", "", 2, true, 3},                 // inside a UTF-8 character
        {"a\xc3\xa9" "b", "", 2, false, 2},
        {"a\xf0\x9f\x98\x80" "b", "", 2, true, 5},
        {"a\r\nb", "", 0, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(keptTextStart(c.older, c.newer, c.cut, c.utf8), c.kept) << c.older << " at " << c.cut;
}

TEST(TerminalAppend, TheKeptTextNeverBeginsInsideAnEscapeSequence)
{
    // Coloured lines of uneven lengths put the half-way cut everywhere in a line.
    Terminal t(100);
    t.setColumnCount(80);
    t.setRowCount(5);
    for (int i = 1; i <= 60; ++i) {
        t.WriteTerminal("\x1b[35mFlood line " + std::string(std::size_t(i % 7), '.') + "\r\n");
        const std::string& b = t.ScrollbackBuffer();
        if (b.compare(0, Reset.size(), Reset) != 0)
            continue;
        ASSERT_EQ(b.compare(Reset.size(), 10, "\x1b[35mFlood"), 0) << i << ": " << b.substr(10, 12);
        EXPECT_EQ(t.model().line(1).cell(1).character, 'F');
    }

    // A text longer than the buffer keeps its end from past the sequence its cut falls into.
    Terminal u(100);
    u.WriteTerminal(std::string(108, 'a') + "\x1b[35m" + std::string(87, 'b'));
    EXPECT_EQ(u.ScrollbackBuffer(), Reset + std::string(87, 'b'));
}

TEST(TerminalAppend, NeverExceedsTheCapacityAndStopsAfterRelease)
{
    Terminal t(Terminal::InitialCapacity);
    EXPECT_EQ(t.ScrollbackCapacity(), 16001u);
    const std::string block(3001, 'x');
    for (int i = 0; i < 40; ++i) {
        t.WriteTerminal(block);
        ASSERT_LE(t.ScrollbackBuffer().size(), t.ScrollbackCapacity());
    }
    int changes = 0;
    t.setChangeCallback([&] { ++changes; });
    t.release();
    t.WriteTerminal("more");
    t.WriteTerminal("");
    EXPECT_TRUE(t.ScrollbackBuffer().empty());
    EXPECT_EQ(changes, 0);
}

TEST(TerminalAppend, ReplacingTheBufferEmptiesItAndRedraws)
{
    Terminal t;
    int changes = 0;
    t.setChangeCallback([&] { ++changes; });
    t.WriteTerminal("hello");
    t.replaceBuffer(8000);
    EXPECT_EQ(t.ScrollbackCapacity(), 8000u);
    EXPECT_TRUE(t.ScrollbackBuffer().empty());
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(t.model().LineCount(), 1);
}

TEST(TerminalAppend, LayoutWaitsWhileTheColourViewIsOff)
{
    Terminal t;
    int changes = 0;
    t.setChangeCallback([&] { ++changes; });
    t.setMirrorOn(false);
    t.WriteTerminal("a\r\nb\r\n");
    t.ScrollPageUp();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(t.ScrollbackBuffer(), "a\r\nb\r\n"); // the buffer still takes everything
    t.setMirrorOn(true);
    t.WriteTerminal("");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(t.model().LineCount(), 3);
}

TEST(TerminalLayout, ColumnAndRowCountsFollowThePictureSize)
{
    const std::pair<int, int> widths[] = {{0, 0}, {647, 80}, {1280, 160}, {1287, 160}, {1288, 160}, {2000, 160}};
    for (auto [pixels, columns] : widths)
        EXPECT_EQ(Terminal::columnCountForWidth(pixels), columns) << pixels;
    EXPECT_EQ(Terminal::rowCountForHeight(311), 25);
    Terminal t;
    t.setColumnCount(0); // a picture too narrow for one cell still has one column
    EXPECT_EQ(t.ColumnCount(), 1);
}

struct ScrollFixture : ::testing::Test {
    Terminal t{64000};
    void SetUp() override
    {
        t.setRowCount(10);
        t.WriteTerminal(numberedLines(1, 99)); // lines 1..99 and an empty line 100
        ASSERT_EQ(t.model().LineCount(), 100);
    }
    std::pair<int, int> range() const { return {t.firstVisibleLine(), t.lastVisibleLine()}; }
};

TEST_F(ScrollFixture, FollowingTheEndShowsTheLastRows)
{
    EXPECT_EQ(t.TopLine(), 0);
    EXPECT_EQ(range(), std::make_pair(91, 100));
}

TEST_F(ScrollFixture, PageUpAndDownMoveByTwentyFourLines)
{
    t.ScrollPageUp(); // the page that ends 24 lines above the last one
    EXPECT_EQ(t.TopLine(), 100 - 10 - 23);
    EXPECT_EQ(range(), std::make_pair(67, 76));
    EXPECT_EQ(t.ScrollRequest(), 0);
    t.ScrollPageUp();
    EXPECT_EQ(range(), std::make_pair(43, 52));
    t.ScrollPageDown();
    EXPECT_EQ(range(), std::make_pair(67, 76));
    for (int i = 0; i < 5; ++i)
        t.ScrollPageUp();
    EXPECT_EQ(t.TopLine(), 1); // never above the first line
    t.ScrollToEnd();
    EXPECT_EQ(t.TopLine(), 0);
    t.ScrollToStart();
    EXPECT_EQ(range(), std::make_pair(1, 10));
}

TEST_F(ScrollFixture, PagingDownPastTheEndReturnsToFollowing)
{
    t.ScrollPageUp();
    t.ScrollPageDown(); // 91
    t.ScrollPageDown(); // 115, held at the last line
    EXPECT_EQ(t.TopLine(), 100);
    EXPECT_EQ(range(), std::make_pair(100, 100));
    t.WriteTerminal("x"); // same position, last page: remember that the view is at the bottom
    EXPECT_TRUE(t.atBottom());
    EXPECT_EQ(t.TopLine(), 100);
    t.WriteTerminal(numberedLines(100, 120)); // a page more arrived: follow the end again
    EXPECT_EQ(t.TopLine(), 0);
    EXPECT_FALSE(t.atBottom());
    t.WriteTerminal("");
    EXPECT_EQ(range(), std::make_pair(112, 121));
}

TEST_F(ScrollFixture, PageDownWhileFollowingJumpsToTheLastLine)
{
    t.ScrollPageDown();
    EXPECT_EQ(t.TopLine(), 100);
    // A view paged up stays where it is while text arrives.
    t.ScrollPageUp();
    const int top = t.TopLine();
    t.WriteTerminal(numberedLines(100, 150));
    EXPECT_EQ(t.TopLine(), top);
}

} // namespace
} // namespace tw
