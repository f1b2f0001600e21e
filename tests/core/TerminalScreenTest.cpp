// Layout of text and control characters into the screen model.
#include "core/Terminal.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

struct Layout {
    Terminal terminal;
    explicit Layout(int columns = 80, int rows = 25, bool wrap = true)
    {
        terminal.setColumnCount(columns);
        terminal.setRowCount(rows);
        terminal.setWordWrap(wrap);
    }
    const ScreenModel& write(std::string_view text)
    {
        terminal.WriteTerminal(text);
        return terminal.model();
    }
};

std::string lineText(const ScreenModel& m, int number, int columns)
{
    std::string s;
    for (int c = 1; c <= columns; ++c)
        s += char(m.line(number).cell(c).character);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

TEST(TerminalScreen, LineEndsAreMadeByCarriageReturnAlone)
{
    struct Case {
        const char* text;
        int lines;
        const char* last;
    } cases[] = {
        {"ab\r\ncd", 2, "cd"},
        {"ab\ncd", 1, "abcd"},
        {"ab\rcd", 2, "cd"},
        {"ab\r\n\r\ncd", 3, "cd"},
        {"a\ab\x0b", 1, "ab"}, // bell ignored; vertical tab goes home
    };
    for (const Case& c : cases) {
        Layout l;
        const ScreenModel& m = l.write(c.text);
        EXPECT_EQ(m.LineCount(), c.lines) << c.text;
        EXPECT_EQ(lineText(m, m.LineCount(), 80), c.last) << c.text;
    }
}

TEST(TerminalScreen, TabStopsAreMultiplesOfEight)
{
    struct Case {
        const char* text;
        int column, row;
    } cases[] = {
        {"\t", 8, 1},
        {"\t\t", 16, 1},
        {"123456\t", 8, 1},   // from column 7
        {"1234567\t", 16, 1},  // from column 8
        {"\t\t\t\t\t\t\t\t\t", 72, 1},
        {"\t\t\t\t\t\t\t\t\t\t", 1, 2},   // the stop that equals the column count goes to the next row
    };
    for (const Case& c : cases) {
        Layout l;
        const ScreenModel& m = l.write(c.text);
        EXPECT_EQ(m.column(), c.column) << c.text;
        EXPECT_EQ(m.row(), c.row) << c.text;
    }
    // The tab only moves: the cells it passes keep their blanks and colours.
    Layout l;
    const ScreenModel& m = l.write("\x1b[44m\tX");
    EXPECT_EQ(m.line(1).cell(8).character, 'X');
    EXPECT_EQ(m.line(1).cell(7).background, 0);
    // A tab at the last column goes to the start of the next row.
    Layout narrow(16);
    const ScreenModel& n = narrow.write(std::string(15, 'a') + "\tX");
    EXPECT_EQ(n.line(2).cell(1).character, 'X');
    EXPECT_EQ(n.line(1).cell(16).character, ' ');
}

TEST(TerminalScreen, WordWrapDecidesWhatHappensAtTheRightEdge)
{
    Layout wrapped(10, 25, true);
    const ScreenModel& w = wrapped.write("0123456789abc");
    EXPECT_EQ(w.LineCount(), 2);
    EXPECT_EQ(lineText(w, 1, 10), "0123456789");
    EXPECT_EQ(lineText(w, 2, 10), "abc");

    Layout cut(10, 25, false);
    const ScreenModel& c = cut.write("0123456789abc\rxy");
    EXPECT_EQ(c.LineCount(), 2);
    EXPECT_EQ(lineText(c, 1, 160), "0123456789"); // nothing lands beyond the edge
    EXPECT_EQ(lineText(c, 2, 10), "xy");

    // The column keeps counting beyond the edge, so a backspace there changes nothing seen.
    Layout back(10, 25, false);
    const ScreenModel& b = back.write("0123456789abc\b");
    EXPECT_EQ(b.column(), 13);
    EXPECT_EQ(lineText(b, 1, 10), "0123456789");
}

TEST(TerminalScreen, BackspaceBlanksThePreviousCell)
{
    Layout l(10);
    const ScreenModel& m = l.write("abc\b");
    EXPECT_EQ(lineText(m, 1, 10), "ab");
    EXPECT_EQ(m.column(), 3);

    // At the start of a line it blanks the last cell of the line above and stays there.
    Layout l2(10);
    const ScreenModel& m2 = l2.write("0123456789\b");
    EXPECT_EQ(m2.row(), 1);
    EXPECT_EQ(m2.column(), 10);
    EXPECT_EQ(lineText(m2, 1, 10), "012345678");

    Layout l3(10);
    const ScreenModel& m3 = l3.write("\b\bx");
    EXPECT_EQ(lineText(m3, 1, 10), "x"); // row 1, column 1: nothing to go back to

    Layout l4(10);
    const ScreenModel& m4 = l4.write("first\r\na\bx"); // from column 2 back to column 1 of its line
    EXPECT_EQ(lineText(m4, 1, 10), "first");
    EXPECT_EQ(lineText(m4, 2, 10), "x");
}

TEST(TerminalScreen, FormFeedDropsTextUntilTheLinesAreThereAgain)
{
    Layout l;
    const ScreenModel& m = l.write("one\r\ntwo\r\nthree\x0c" "abc");
    // The cursor stayed on row 3, column 6. The first character finds no line; moving on
    // creates the lines again, so the rest lands.
    EXPECT_EQ(m.LineCount(), 3);
    EXPECT_EQ(lineText(m, 1, 80), "");
    EXPECT_EQ(lineText(m, 3, 80), "      bc");

    Layout l2;
    const ScreenModel& m2 = l2.write("text\x0c");
    EXPECT_EQ(m2.LineCount(), 0);
    EXPECT_EQ(l2.terminal.lastVisibleLine(), 0);
}

TEST(TerminalScreen, ControlCharactersWithoutAMeaningAreShownAsCharacters)
{
    Layout l;
    const ScreenModel& m = l.write(std::string("a\x01\x1b" "b\x7f\xc9", 6));
    EXPECT_EQ(m.line(1).cell(2).character, 0x01);
    EXPECT_EQ(m.line(1).cell(3).character, 0x1b); // an escape not followed by "[" is text
    EXPECT_EQ(m.line(1).cell(4).character, 'b');
    EXPECT_EQ(m.line(1).cell(6).character, 0xc9);
}

TEST(TerminalScreen, ANewLayoutStartsFromScratch)
{
    Layout l;
    l.write("\x1b[31mred\r\n");
    const ScreenModel& m = l.write("");
    EXPECT_EQ(m.LineCount(), 2);
    EXPECT_EQ(m.line(2).cell(1), ScreenCell{});
    EXPECT_EQ(m.line(1).cell(1).foreground, 4);
    // Storage is reused: a shorter buffer leaves no stale lines or cells behind.
    l.terminal.replaceBuffer(16000);
    EXPECT_EQ(l.terminal.model().LineCount(), 1);
    EXPECT_EQ(l.terminal.model().line(1).cell(1), ScreenCell{});
}

} // namespace
} // namespace tw
