// Modern Server Mode's text in the terminal: UTF-8, 256 and 24-bit colours, wrapping at word
// boundaries and the plain text; and the same bytes with the switch off.
#include "base/Utf8.h"
#include "core/PlainText.h"
#include "core/Terminal.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

const std::string E = "\x1b";

struct Screen {
    Terminal terminal;
    explicit Screen(int columns = 80, bool modern = true, bool wrap = true)
    {
        terminal.setColumnCount(columns);
        terminal.setRowCount(25);
        terminal.setWordWrap(wrap);
        terminal.setModern(modern);
    }
    const ScreenModel& write(const std::string& text)
    {
        terminal.WriteTerminal(text);
        return terminal.model();
    }
};

// The characters of a line as UTF-32, right halves of wide characters left out, trailing
// blanks dropped.
std::u32string lineText(const ScreenModel& m, int number)
{
    std::u32string s;
    for (int c = 1; c <= ScreenLine::Width; ++c) {
        const char32_t ch = m.line(number).cell(c).character;
        if (!(ch & ScreenCell::RightHalf))
            s += ch;
    }
    while (!s.empty() && s.back() == U' ')
        s.pop_back();
    return s;
}

TEST(ModernText, ReceivedTextIsDecodedAsUtf8WithCodePage437ForTheRest)
{
    struct Case {
        std::string bytes;
        std::u32string shown;
    };
    const Case cases[] = {
        {"caf\xc3\xa9 \xc3\xbc" "ber na\xc3\xafve \xe2\x80\x93 5\xe2\x82\xac", U"café über naïve – 5€"},
        {"caf\xe9!", U"cafΘ!"},                           // Latin-1: the glyph as ever
        {"\xc0\xaf\xe0\x80\x80", U"└»α\u00c7\u00c7"},        // overlong forms, byte by byte
        {"\xed\xa0\x80", U"φá\u00c7"},                    // a surrogate
        {"\xf0\x9f\x98\x80!", U"\U0001F600!"},            // four bytes
        {"\xe2\x82x", U"Γéx"},                             // cut short by other text
        {"ab\xe2\x82", U"ab"},                             // cut short by the end: waits
        {"\x01\x7f" + E + "x", U"☺⌂←x"},                   // control glyphs and a lone escape
        {E + "[3\xc3\xa9", U"←[3é"},                       // a character breaks a sequence
        {E + "[123mX", U"X"},                              // long numbers are parameters
    };
    for (const Case& c : cases) {
        Screen s;
        EXPECT_EQ(lineText(s.write(c.bytes), 1), c.shown) << c.bytes;
    }
}

TEST(ModernText, ACharacterSplitAcrossReadsIsDrawnOnceWhole)
{
    Screen s;
    s.write("caf\xc3");
    EXPECT_EQ(lineText(s.terminal.model(), 1), U"caf");
    s.write("\xa9 \xe4\xb8");
    EXPECT_EQ(lineText(s.terminal.model(), 1), U"café");
    s.write("\xad");
    EXPECT_EQ(lineText(s.terminal.model(), 1), U"café 中");
}

TEST(ModernText, WideCharactersTakeTwoCells)
{
    Screen s(10);
    const ScreenModel& m = s.write(E + "[32m\xe4\xb8\xad" "a\r\n123456789\xe6\x96\x87");
    EXPECT_EQ(m.line(1).cell(1).character, U'中');
    EXPECT_EQ(m.line(1).cell(2).character, U'中' | ScreenCell::RightHalf);
    EXPECT_EQ(m.line(1).cell(2).foreground, 2u);
    EXPECT_EQ(m.line(1).cell(3).character, U'a');
    // No room for both halves at the last column: the character goes to the next line.
    EXPECT_EQ(lineText(m, 2), U"123456789");
    EXPECT_EQ(lineText(m, 3), U"文");
}

TEST(ModernText, ColourCommandsOfTodaysServers)
{
    struct Case {
        std::string sequence;
        CellColour foreground, background;
    };
    const Case cases[] = {
        {"[38;5;196m", rgbCellColour(255, 0, 0), 0},
        {"[38;5;16m", rgbCellColour(0, 0, 0), 0},
        {"[38;5;67m", rgbCellColour(95, 135, 175), 0},
        {"[48;5;231m", 7, rgbCellColour(255, 255, 255)},
        {"[48;5;232m", 7, rgbCellColour(8, 8, 8)},
        {"[38;5;255m", rgbCellColour(238, 238, 238), 0},
        {"[38;5;1m", 4, 0},   // the first sixteen are the palette's colour numbers
        {"[38;5;9m", 12, 0},
        {"[48;5;6m", 7, 3},
        {"[1;38;5;3m", 14, 0}, // and bold brightens them as ever
        {"[38;2;1;2;3;48;2;250;128;0m", rgbCellColour(1, 2, 3), rgbCellColour(250, 128, 0)},
        {"[38;2;255;255;255m", rgbCellColour(255, 255, 255), 0},
        {"[1;38;2;1;2;3m", rgbCellColour(1, 2, 3), 0}, // a colour of its own stays as it is
        {"[7;38;2;1;2;3m", 0, rgbCellColour(1, 2, 3)},
        {"[32;38;5m", 2, 0},   // missing or out of range: the colour stays
        {"[32;38;5;256m", 2, 0},
        {"[32;38;2;1;2m", 2, 0},
        {"[32;38;2;1;300;3m", 2, 0},
        {"[32;38;9;1m", 10, 0}, // an unknown kind is used up, what follows counts
        {"[31;44m" + E + "[39m", 7, 1},
        {"[31;44m" + E + "[49m", 4, 0},
        {"[1;31m" + E + "[22m", 4, 0}, // bold taken back
        {"[1;31mZ" + E + "[22m", 4, 0},
        {"[38;5;9;1m" + E + "[22m", 12, 0}, // bright by itself: stays
        {"[91;104m", 12, 9},
        {"[97;107m", 15, 15},   // the ends of the bright ranges
        {"[90;100m", 8, 8},
        {"[32;44;89;99m", 2, 1}, // just outside them: ignored
        {"[1;31mZ" + E + "[38;5;12m" + E + "[22m", 9, 0}, // chosen bright after bold: stays
        {"[123;32m", 2, 0},
    };
    for (const Case& c : cases) {
        Screen s;
        const ScreenModel& m = s.write(E + c.sequence + "X");
        const ScreenCell& x = m.line(1).cell(lineText(m, 1).find(U'X') + 1);
        EXPECT_EQ(x.foreground, c.foreground) << c.sequence;
        EXPECT_EQ(x.background, c.background) << c.sequence;
    }
}

TEST(ModernText, LinesBreakAtWordBoundaries)
{
    struct Case {
        int columns;
        bool wrap;
        std::string text;
        std::vector<std::u32string> lines;
    };
    const Case cases[] = {
        {10, true, "hello world again", {U"hello", U"world", U"again"}},
        {10, true, "abcdefghijklmno pq", {U"abcdefghij", U"klmno pq"}}, // longer than the line
        {10, true, "0123456789\r\nnext", {U"0123456789", U"next"}},     // no empty line
        {10, true, "aaaaaaaaaa bbb", {U"aaaaaaaaaa", U"bbb"}},          // the space is dropped
        {10, true, "aaaa bbbbb ccc", {U"aaaa bbbbb", U"ccc"}},          // and the full line kept
        {10, true, "ab  cd  efgh", {U"ab  cd", U"efgh"}},
        {10, true, "a caf\xc3\xa9s\xc3\xa9s\xc3\xa9s", {U"a", U"cafésésés"}},
        {10, true, "x \xe4\xb8\xad\xe6\x96\x87\xe4\xb8\xad\xe6\x96\x87\xe4\xb8\xad", {U"x", U"中文中文中"}},
        {10, false, "hello world again", {U"hello worl"}},
        {10, false, "0123456789\xc3\xa9\xe4\xb8\xad", {U"0123456789"}}, // past the edge: dropped
        {10, false, "012345678\xe4\xb8\xad", {U"012345678"}},         // half past the edge
        {10, true, "1\t3456789 word", {U"1", U"3456789", U"word"}}, // the tab's cells are blanks
    };
    for (const Case& c : cases) {
        Screen s(c.columns, true, c.wrap);
        const ScreenModel& m = s.write(c.text);
        ASSERT_EQ(m.LineCount(), int(c.lines.size())) << c.text;
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            EXPECT_EQ(lineText(m, int(i) + 1), c.lines[i]) << c.text << " line " << i + 1;
    }
    // The word keeps its colours on its new line, and the cursor stands behind it.
    Screen s(10);
    const ScreenModel& m = s.write("hello " + E + "[31mwor" + E + "[32mld!");
    EXPECT_EQ(m.line(2).cell(1).foreground, 4u);
    EXPECT_EQ(m.line(2).cell(4).foreground, 2u);
    EXPECT_EQ(m.line(1).cell(7).character, U' ');
    EXPECT_EQ(m.column(), 7);
}

// With the switch off the same bytes are laid out exactly as before: one cell per byte, two
// digits to a parameter, the line full at the edge.
TEST(ModernText, SwitchedOffTheBytesAreLaidOutAsBefore)
{
    const std::string text = "caf\xc3\xa9 \xe4\xb8\xad " + E + "[38;5;196mX" + E + "[22;91mY\r\n" +
                             std::string(10, 'z') + "\r\nhello world";
    Screen off(10, false), switched(10, true);
    const ScreenModel& a = off.write(text);
    switched.write(text);
    switched.terminal.setModern(false);
    const ScreenModel& b = switched.write("");
    ASSERT_EQ(a.LineCount(), 7);
    ASSERT_EQ(b.LineCount(), a.LineCount());
    for (int l = 1; l <= a.LineCount(); ++l)
        for (int c = 1; c <= ScreenLine::Width; ++c)
            EXPECT_EQ(a.line(l).cell(c), b.line(l).cell(c)) << l << ":" << c;
    EXPECT_EQ(a.line(1).cell(4).character, 0xC3u);
    EXPECT_EQ(a.line(1).cell(9).character, 0xADu);
    EXPECT_EQ(lineText(a, 2), U"\x1b[38;5;196"); // three digits: the sequence is text
    EXPECT_EQ(lineText(a, 3), U"mXY");
    EXPECT_EQ(lineText(a, 4), U"zzzzzzzzzz");
    EXPECT_EQ(lineText(a, 5), U"");
    EXPECT_EQ(lineText(a, 6), U"hello worl");
    EXPECT_EQ(lineText(a, 7), U"d");
}

TEST(ModernText, PlainTextIsWhatThePlayerReads)
{
    const std::pair<std::string, std::string> cases[] = {
        {E + "[1;31mred" + E + "[0m\r\nnext\rthird\nfourth", "red\nnext\nthird\nfourth"},
        {"caf\xc3\xa9 " + E + "[38;2;1;2;3m\xe4\xb8\xad", "caf\xc3\xa9 \xe4\xb8\xad"},
        {"caf\xe9!", "caf\xce\x98!"},                          // Θ
        {E + "[3x" + E + "X" + E + E + "[1m", "\xe2\x86\x90[3x\xe2\x86\x90X\xe2\x86\x90\xe2\x86\x90[1m"},
        {E + "[3\xc3\xa9", "\xe2\x86\x90[3\xc3\xa9"},
        {E + "[" + std::string(60, '1') + "m", "\xe2\x86\x90[" + std::string(60, '1') + "m"},
        {"ab\b\xc3\xa9\bc\a\x0c\t.", "ac\t."},
        {"\r\n\bx", "\nx"},
        {"cut " + E + "[3", "cut "},
        {"cut \xe4\xb8", "cut "},
        {"\x01\x7f~", "\xe2\x98\xba\xe2\x8c\x82~"}, // ☺⌂ as the colour view draws them
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(plainText(bytes), text) << bytes;
}

// The plain text and the colour view read sequences alike: on one line without cursor
// commands they hold the same characters.
TEST(ModernText, PlainTextAgreesWithTheLayout)
{
    const std::string alphabet[] = {"a", " ", E, "[", "3", "1", ";", "m", "x", "\xc3\xa9",
                                    "\xe9", "\xe4\xb8\xad", "\xa9"};
    std::uint32_t seed = 2024;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0; i < 40; ++i) {
            seed = seed * 1664525u + 1013904223u;
            text += alphabet[(seed >> 8) % std::size(alphabet)];
        }
        Screen s(160, true, false);
        std::u32string shown = lineText(s.write(text), 1);
        std::string utf8;
        for (const char32_t c : shown)
            utf8::append(utf8, c);
        std::string plain = plainText(text);
        while (!plain.empty() && plain.back() == ' ')
            plain.pop_back();
        EXPECT_EQ(plain, utf8) << text;
    }
}

} // namespace
} // namespace tw
