// The colour view's comforts: text size, scrolling by lines and with the scroll bar, the
// "more below" marker, selecting and copying, and the keys that reach them.
#include "core/Terminal.h"
#include "core/ViewKeys.h"
#include "core/ViewZoom.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

std::string numberedLines(int from, int to)
{
    std::string s;
    for (int i = from; i <= to; ++i)
        s += "line " + std::to_string(i) + "\r\n";
    return s;
}

TEST(ViewZoom, StepsCellsAndCounts)
{
    struct Row {
        int percent;
        CellSize cell;
        int width, height, columns, rows;
    } rows[] = {
        {100, {8, 12}, 1287, 300, 160, 25},  {100, {8, 12}, 1279, 11, 159, 0},
        {125, {10, 15}, 1000, 300, 100, 20}, {150, {12, 18}, 1000, 300, 83, 16},
        {200, {16, 24}, 2600, 300, 160, 12}, {250, {20, 30}, 1000, 299, 50, 9},
        {300, {24, 36}, 1000, 300, 41, 8},   {300, {24, 36}, -5, -5, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ViewZoom::cellFor(r.percent), r.cell) << r.percent;
        EXPECT_EQ(ViewZoom::columnCountForWidth(r.width, r.cell), r.columns) << r.percent;
        EXPECT_EQ(ViewZoom::rowCountForHeight(r.height, r.cell), r.rows) << r.percent;
    }
    // At 100% the terminal's own rule.
    EXPECT_EQ(Terminal::columnCountForWidth(1288), 160);
    EXPECT_EQ(Terminal::columnCountForWidth(1000), 125);

    ViewZoom zoom;
    EXPECT_FALSE(zoom.zoomOut());
    std::string seen;
    while (zoom.zoomIn())
        seen += std::to_string(zoom.percent()) + " ";
    EXPECT_EQ(seen, "125 150 200 250 300 ");
    EXPECT_TRUE(zoom.zoomOut());
    EXPECT_EQ(zoom.percent(), 250);
    EXPECT_TRUE(zoom.reset());
    EXPECT_FALSE(zoom.reset());
    for (const auto& [stored, used] : {std::pair{150, 150}, {300, 300}, {120, 100}, {-1, 100}, {100000, 100}}) {
        zoom.setPercent(stored);
        EXPECT_EQ(zoom.percent(), used) << stored;
    }

    EXPECT_EQ(ViewZoom::cellAt(0, 0, {8, 12}), (CellPoint{1, 1}));
    EXPECT_EQ(ViewZoom::cellAt(15, 24, {8, 12}), (CellPoint{2, 3}));
    EXPECT_EQ(ViewZoom::cellAt(-1, -13, {8, 12}), (CellPoint{0, -1}));
}

TEST(ViewKeys, OnlyKeysNoOneElseUses)
{
    struct Row {
        ViewKeyPress press;
        ViewKey key;
    } rows[] = {
        {{'=', true}, ViewKey::ZoomIn},
        {{'+', true, true}, ViewKey::ZoomIn},
        {{'+', true, false, false, true}, ViewKey::ZoomIn},
        {{'-', true}, ViewKey::ZoomOut},
        {{'-', true, true}, ViewKey::None},
        {{'0', true}, ViewKey::ZoomReset},
        {{'0', true, false, false, true}, ViewKey::None}, // keypad 0 sends its command
        {{'C', true, true}, ViewKey::CopySelection},
        {{'C', true}, ViewKey::None},                     // the menu's Copy
        {{'F', true, true}, ViewKey::FindInView},
        {{'F', true}, ViewKey::None},                     // the menu's Find
        {{'W', true, true}, ViewKey::WalkThrough},
        {{'W', true}, ViewKey::None},
        {{'=', false}, ViewKey::None},
        {{'=', true, false, true}, ViewKey::None},
        {{'L', true}, ViewKey::None},
    };
    for (const Row& r : rows)
        EXPECT_EQ(viewKeyFor(r.press), r.key) << r.press.key << r.press.ctrl << r.press.shift;
}

struct ScrolledTerminal : ::testing::Test {
    Terminal t;
    void SetUp() override
    {
        t.setColumnCount(20);
        t.setRowCount(10);
        t.WriteTerminal(numberedLines(1, 40)); // 41 lines, the last empty
    }
};

TEST_F(ScrolledTerminal, WheelAndScrollBarMoveByLinesAndFollowTheEndAtTheLastPage)
{
    using Bar = Terminal::ScrollBarState;
    EXPECT_EQ(t.scrollBar(), (Bar{32, 10, 32}));
    t.scrollLines(-3);
    EXPECT_EQ(t.TopLine(), 29);
    EXPECT_EQ(t.firstVisibleLine(), 29);
    EXPECT_EQ(t.scrollBar(), (Bar{32, 10, 29}));
    t.scrollLines(2);
    EXPECT_EQ(t.TopLine(), 31);
    t.scrollLines(1); // the last page: follows the end again
    EXPECT_EQ(t.TopLine(), 0);
    t.scrollTo(-7);
    EXPECT_EQ(t.TopLine(), 1);
    EXPECT_EQ(t.scrollBar().value, 1);
    t.scrollTo(40);
    EXPECT_EQ(t.TopLine(), 0);

    // Paged down past the end, the bar still holds the view's first line.
    t.ScrollToStart();
    for (int i = 0; i < 3; ++i)
        t.ScrollPageDown();
    EXPECT_EQ(t.TopLine(), 41);
    EXPECT_EQ(t.scrollBar(), (Bar{41, 10, 41}));
    // A wheel turn from there leaves the paged state behind for good.
    t.WriteTerminal("");
    ASSERT_TRUE(t.atBottom());
    t.scrollTo(20);
    t.WriteTerminal(numberedLines(41, 60));
    EXPECT_EQ(t.TopLine(), 20);

    // Text that all fits never leaves the end.
    Terminal small;
    small.setRowCount(10);
    small.WriteTerminal("one\r\ntwo");
    small.scrollLines(-3);
    EXPECT_EQ(small.TopLine(), 0);
    EXPECT_EQ(small.scrollBar(), (Bar{1, 10, 1}));
}

TEST_F(ScrolledTerminal, MoreBelowOnlyForTextThatArrivedUnseen)
{
    t.scrollLines(-10);
    EXPECT_FALSE(t.moreBelow()) << "nothing has arrived yet";
    bool toldMoreBelow = false;
    t.setChangeCallback([&] { toldMoreBelow = t.moreBelow(); });
    t.WriteTerminal("news\r\n");
    EXPECT_TRUE(t.moreBelow());
    EXPECT_TRUE(toldMoreBelow) << "the window is told after the marker's state is known";
    t.scrollLines(-1);
    EXPECT_TRUE(t.moreBelow());
    t.ScrollToEnd();
    EXPECT_FALSE(t.moreBelow());
    t.WriteTerminal("more\r\n");
    EXPECT_FALSE(t.moreBelow()) << "seen as it came";

    // Paged down to the last page the text is in view, until more comes.
    t.ScrollPageUp();
    t.WriteTerminal("x");
    EXPECT_TRUE(t.moreBelow());
    while (t.lastVisibleLine() < t.model().LineCount())
        t.ScrollPageDown();
    EXPECT_FALSE(t.moreBelow());
}

TEST_F(ScrolledTerminal, SelectionIsLineWiseInCellsAndCopiesTheCharactersOnly)
{
    Terminal c;
    c.setColumnCount(12);
    c.setRowCount(4);
    c.WriteTerminal("\x1b[31mred\x1b[0m w\x80rd  \r\n\x1b[1;32mgreen\x1b[0m\r\nlast l0ne");
    // Lines 1-3 fill rows 1-3.
    struct Row {
        CellPoint from, to;
        const char* text;
    } rows[] = {
        {{1, 1}, {3, 1}, "red"},
        {{3, 1}, {1, 1}, "red"},                // backwards
        {{5, 1}, {2, 2}, "w\x80rd\ngr"},           // to the first line's end, trailing blanks go
        {{9, 3}, {2, 1}, "ed w\x80rd\ngreen\nlast l0ne"},
        {{2, 2}, {30, 9}, "reen\nlast l0ne"},   // beyond the view: its last cell
        {{11, 1}, {12, 1}, ""},                 // blanks only
    };
    for (const Row& r : rows) {
        c.selectionStart(r.from);
        c.selectionExtend(r.to);
        EXPECT_EQ(c.selectedText(), r.text) << r.from.column << "," << r.from.row;
    }
    c.selectionStart({5, 2});
    c.selectionExtend({2, 3});
    EXPECT_EQ(c.selection().columnsOn(1, 12), std::nullopt);
    EXPECT_EQ(c.selection().columnsOn(2, 12), (std::pair{5, 12}));
    EXPECT_EQ(c.selection().columnsOn(3, 12), (std::pair{1, 2}));
    EXPECT_EQ(c.selection().columnsOn(4, 12), std::nullopt);
    c.selectionExtend({1, 3}); // ending on a line's first cell takes that cell
    EXPECT_EQ(c.selection().columnsOn(3, 12), (std::pair{1, 1}));

    // A click without a drag selects nothing.
    c.selectionStart({2, 1});
    c.selectionExtend({2, 1});
    EXPECT_TRUE(c.selection().empty());

    // Double-click: the word around the cell, or the one cell of anything else.
    struct Word {
        CellPoint at;
        const char* text;
    } words[] = {{{2, 1}, "red"}, {{7, 1}, "w\x80rd"}, {{4, 1}, " "}, {{3, 3}, "last"}, {{1, 9}, "last"}, {{7, 3}, "l0ne"}};
    for (const Word& w : words) {
        c.selectWord(w.at);
        EXPECT_EQ(c.selectedText() == "" ? " " : c.selectedText(), w.text) << w.at.column;
    }

    // Text laid out anew (a new width, or the older half dropped) ends the selection.
    c.setColumnCount(12);
    EXPECT_FALSE(c.selection().empty());
    c.setColumnCount(11);
    EXPECT_TRUE(c.selection().empty());
    Terminal narrow;
    narrow.setColumnCount(0);
    narrow.WriteTerminal("ab");
    narrow.selectWord({1, 1});
    narrow.setColumnCount(1);
    EXPECT_FALSE(narrow.selection().empty()) << "the width it already had";
    for (const std::size_t length : {45u, 55u}) { // the older half dropped, or all of it
        Terminal cut(60);
        cut.WriteTerminal("abc def\r\n");
        cut.selectWord({1, 1});
        cut.WriteTerminal(std::string(length, 'x'));
        EXPECT_TRUE(cut.selection().empty()) << length;
    }
    c.selectWord({2, 1});
    c.replaceBuffer(c.ScrollbackCapacity()); // a new scrollback size empties the text
    EXPECT_TRUE(c.selection().empty());
}

} // namespace
} // namespace tw
