// The escape-sequence interpreter, driven through the terminal's layout.
#include "core/Terminal.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

const std::string E = "\x1b";

struct Screen {
    Terminal terminal;
    Screen(int columns = 80, int rows = 25)
    {
        terminal.setColumnCount(columns);
        terminal.setRowCount(rows);
    }
    const ScreenModel& write(const std::string& text)
    {
        terminal.WriteTerminal(text);
        return terminal.model();
    }
};

std::string lineText(const ScreenModel& m, int number, int columns = 80)
{
    std::string s;
    for (int c = 1; c <= columns; ++c)
        s += char(m.line(number).cell(c).character);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string repeat(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; ++i)
        r += s;
    return r;
}

// Colours of the cell that holds the first X.
std::pair<int, int> colourOfX(const ScreenModel& m)
{
    for (int l = 1; l <= m.LineCount(); ++l)
        for (int c = 1; c <= ScreenLine::Width; ++c)
            if (m.line(l).cell(c).character == 'X')
                return {m.line(l).cell(c).foreground % 16, m.line(l).cell(c).background % 16};
    return {-1, -1};
}

TEST(AnsiParser, ColourCommands)
{
    struct Case {
        std::string text;
        int foreground, background;
    } cases[] = {
        {E + "[1;31mX", 12, 0},
        {E + "[31;1mX", 12, 0},
        {E + "[32;44mX", 2, 1},
        {E + "[33mX", 6, 0},
        {E + "[36;45mX", 3, 5},
        {E + "[37;40mX", 7, 0},
        {E + "[1;31m" + E + "[mX", 7, 0},
        {E + "[1;31m" + E + "[0mX", 7, 0},
        {E + "[31;0mX", 7, 0},
        {E + "[5;34mX", 1, 0},    // the blink bit is not drawn
        {E + "[7mX", 0, 7},       // reverse swaps the two colours
        {E + "[7ma" + E + "[31mX", 7, 4}, // reverse stays on and swaps again
        {E + "[1m" + E + "[32mX", 10, 0}, // bold stays on for the next colour
        {E + "[32;38mX", 2, 0},   // 38 changes no colour
        {E + "[32;99mX", 2, 0},   // unknown values are ignored
        {E + "[;mX", 7, 0},
        {E + "[32;mX", 2, 0},
        {E + "[;32mX", 2, 0},     // a leading ";" reads as 0 and resets first
        {E + "[1;;32mX", 2, 0},   // so does an empty one between two others
        {E + "[c" + E + "[32mY" + E + "[dX", 7, 0},
        {E + "[33;44m" + E + "[c" + E + "[32mY" + E + "[dX", 6, 1},
        {E + "[33;44mY" + E + "[dX", 7, 0}, // nothing saved yet: light grey on black
        {E + "[33;44m" + E + "[c" + E + "[32;41mY" + E + "[dX", 6, 1}, // the background too
        {E + "[31;37mX", 7, 0},   // the last entry of the table
        {E + "[31;29mX", 4, 0},   // just below the table: ignored
        {E + "[7mA\r\nX", 0, 7}, // swapped once, not again at every later character
    };
    for (const Case& c : cases) {
        Screen s;
        EXPECT_EQ(colourOfX(s.write(c.text)), std::make_pair(c.foreground, c.background))
            << c.text.substr(1);
    }
}

TEST(AnsiParser, BoldIsAppliedToTheNextCharacterOnly)
{
    Screen s;
    const ScreenModel& m = s.write(E + "[1mab" + E + "[31mc");
    EXPECT_EQ(m.line(1).cell(1).foreground, 15);
    EXPECT_EQ(m.line(1).cell(2).foreground, 15);
    EXPECT_EQ(m.line(1).cell(3).foreground, 12);
    // Control characters take the pending change too, so a line end counts.
    Screen t;
    const ScreenModel& n = t.write(E + "[5;34m\r" + E + "[32mX");
    EXPECT_EQ(n.line(2).cell(1).foreground, 2 | 16);
}

TEST(AnsiParser, MalformedSequencesAreShownAsText)
{
    struct Case {
        std::string text;
        std::string shown;
    } cases[] = {
        {E + "[123m", E + "[123m"},
        {E + "[1;123mab", E + "[1;123mab"},
        {E + "[x", E + "[x"},
        {E + "[3[m", E + "[3[m"},
        {E + "(B", E + "(B"},
        {E + E + "[31m", E + E + "[31m"}, // a new ESC inside a sequence ends it as text
        {E + "[" + repeat("1;", 24) + "m", ""}, // 50 characters still make a sequence
        {E + "[" + repeat("1;", 24) + "1m", E + "[" + repeat("1;", 24) + "1m"},
        {"ab" + E + "[31", "ab"}, // unfinished at the end of the buffer
    };
    for (const Case& c : cases) {
        Screen s(160);
        EXPECT_EQ(lineText(s.write(c.text), 1, 160), c.shown) << c.text.substr(1);
    }
}

TEST(AnsiParser, ATooLongNumberStillEndsTheCommand)
{
    Screen s;
    // The three-digit number is shown, and H carries on as if it had no parameters left.
    const ScreenModel& m = s.write("\r\n\r\n" + E + "[2;123Hx");
    EXPECT_EQ(lineText(m, 2), "x");
    EXPECT_EQ(lineText(m, 3), E + "[2;123H");
    // The bold read before it has already changed the colour of the text shown.
    Screen b;
    EXPECT_EQ(b.write(E + "[1;123m").line(1).cell(1).foreground, 15);
}

TEST(AnsiParser, CursorMovement)
{
    struct Case {
        std::string text;
        int column, row;
    } cases[] = {
        {"\r\n\r\n\r\nab" + E + "[2A", 3, 2},
        {"\r\nab" + E + "[9A", 3, 1},
        {"ab" + E + "[AB", 4, 1},
        {"ab" + E + "[3B", 3, 4},
        {"ab" + E + "[99B", 3, 25},
        {"ab" + E + "[5C", 8, 1},
        {"ab" + E + "[99C", 80, 1},
        {"abcdef" + E + "[2D", 5, 1},
        {"abcdef" + E + "[D", 6, 1},
        {"abcdef" + E + "[99D", 1, 1},
        {"ab" + E + "[5;10H", 10, 5},
        {"ab" + E + "[5;10f", 10, 5},
        {"ab" + E + "[H", 1, 1},
        {"ab" + E + "[;7H", 7, 1},
        {"ab" + E + "[0;0H", 1, 1},
        {"ab" + E + "[26;1H", 3, 1},   // beyond the rows: ignored
        {"ab" + E + "[1;81H", 3, 1},   // beyond the columns: ignored
        {"ab" + E + "[s\r\n\r\ncd" + E + "[u", 3, 1},
        {"ab" + E + "[s" + E + "[u\r\n" + E + "[u", 1, 2}, // a saved cursor is used once
        {"ab" + E + "[u", 3, 1},
    };
    for (const Case& c : cases) {
        Screen s;
        const ScreenModel& m = s.write(c.text);
        EXPECT_EQ(std::make_pair(m.column(), m.row()), std::make_pair(c.column, c.row))
            << c.text;
    }
}

TEST(AnsiParser, CursorDownNeverMovesUpPastTheFirstScreen)
{
    Screen s(80, 5);
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "line\r";
    const ScreenModel& m = s.write(text + E + "[2B");
    EXPECT_EQ(m.row(), 11);
}

TEST(AnsiParser, EraseAndClear)
{
    Screen s;
    const ScreenModel& m = s.write(E + "[44mabcdef" + E + "[3D" + E + "[K");
    EXPECT_EQ(lineText(m, 1), "abc");
    EXPECT_EQ(m.line(1).cell(4), ScreenCell{});
    EXPECT_EQ(m.line(1).cell(160), ScreenCell{});
    EXPECT_EQ(m.line(1).cell(3).background, 1);

    Screen c;
    const ScreenModel& n = c.write("one\rtwo\rthree" + E + "[2J");
    EXPECT_EQ(n.LineCount(), 0);
    EXPECT_EQ(n.row(), 3); // the cursor keeps its row
    EXPECT_EQ(n.column(), 6);
}

TEST(AnsiParser, ASequenceSplitAcrossWritesIsOneSequence)
{
    Screen s;
    s.write("a" + E + "[3");
    EXPECT_EQ(lineText(s.terminal.model(), 1), "a");
    const ScreenModel& m = s.write("1mX");
    EXPECT_EQ(colourOfX(m), std::make_pair(4, 0));
}

// A scan stops at the end it is given, even where the bytes behind it would go on.
TEST(AnsiParser, ASequenceIsScannedOnlyUpToTheEndGiven)
{
    const std::string s = E + "[1;31m";
    for (std::size_t cut = 1; cut < s.size(); ++cut)
        EXPECT_EQ(AnsiParser::scanSequence(s.data(), s.data() + cut).kind, AnsiParser::Scan::Incomplete) << cut;
    const AnsiParser::Scan whole = AnsiParser::scanSequence(s.data(), s.data() + s.size());
    EXPECT_EQ(whole.kind, AnsiParser::Scan::Command);
    EXPECT_EQ(whole.end, s.data() + s.size());
}

TEST(AnsiParser, ColoursNeverLeakFromOneLayoutToTheNext)
{
    Screen s;
    s.write(E + "[1;32m" + E + "[s");
    // Rebuilding the layout starts from the reset state: a buffer replaced empty shows grey.
    s.terminal.replaceBuffer(8000);
    EXPECT_EQ(colourOfX(s.write("X" + E + "[u")), std::make_pair(7, 0));
    EXPECT_EQ(s.terminal.model().column(), 2);
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// Text is laid out a run at a time; it must come out as if fed one character at a time.
TEST(AnsiParser, RunsAndSingleCharactersLayOutAlike)
{
    const std::string alphabet = "ab \x1b\x1b[[;;0123457mHJKABCDsucdf\r\n\t\b\x0b\x0c\x07\xc9\xff";
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 300; ++round) {
        ScreenModel runs, singles;
        for (ScreenModel* m : {&runs, &singles}) {
            m->setColumnCount(int(3 + round % 20));
            m->setRowCount(int(round % 7));
            m->setWordWrap(round % 2 == 0);
            m->restart();
        }
        AnsiParser runParser(runs), singleParser(singles);
        std::string text;
        const int length = int(next() % 400);
        for (int i = 0; i < length; ++i)
            text += next() % 3 == 0 ? 'x' : alphabet[next() % alphabet.size()];
        runParser.feed(text);
        for (const char ch : text)
            singleParser.feed(ch);
        ASSERT_EQ(runs.LineCount(), singles.LineCount()) << round;
        ASSERT_EQ(runs.column(), singles.column()) << round;
        ASSERT_EQ(runs.row(), singles.row()) << round;
        for (int l = 1; l <= runs.LineCount(); ++l)
            ASSERT_TRUE(runs.line(l).cells == singles.line(l).cells) << round << " line " << l;
    }
}

} // namespace
} // namespace tw
