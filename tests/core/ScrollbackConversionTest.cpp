// The scrollback rewritten when Modern Server Mode is switched: what the old mode drew, the
// new mode draws the same, cell by cell, and text that follows goes on in the same colours.
#include "base/Utf8.h"
#include "core/Cp437.h"
#include "core/ScrollbackConversion.h"
#include "core/Terminal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

const std::string E = "\x1b";

// The cells as drawn, a line of text each: a classic cell's byte through code page 437, and
// before every change of colours the two colours (RGB through the palette) in braces.
std::vector<std::string> look(const std::string& buffer, bool modern, int columns = 80)
{
    const Palette palette;
    Terminal t(1 << 16); // room for all of it: the terminal's own trim would hide a bad cut
    t.setColumnCount(columns);
    t.setRowCount(25);
    t.setModern(modern);
    t.WriteTerminal(buffer);
    const ScreenModel& m = t.model();
    std::vector<std::string> lines;
    for (int l = 1; l <= m.LineCount(); ++l) {
        std::string line;
        std::pair<ColorRef, ColorRef> colours{~0u, ~0u};
        for (int c = 1; c <= columns; ++c) {
            const ScreenCell& cell = m.line(l).cell(c);
            const std::pair<ColorRef, ColorRef> now{palette.colourOf(cell.foreground), palette.colourOf(cell.background)};
            if (now != colours)
                line += "{" + std::to_string(now.first) + "," + std::to_string(now.second) + "}";
            colours = now;
            utf8::append(line, modern ? cell.character : cp437ToUnicode(std::uint8_t(cell.character)));
        }
        lines.push_back(line);
    }
    return lines;
}

std::string convert(const std::string& buffer, bool toModern, std::size_t capacity = 16001)
{
    return convertScrollback(buffer, toModern, Palette{}, capacity);
}

struct Case {
    const char* name;
    std::string text;
    std::string next = "Z"; // text that arrives after the switch
    int columns = 80;
};

// Nothing is lost going to modern mode: every cell looks as it did, and so does what follows.
TEST(ScrollbackConversion, ClassicTextLooksTheSameInModernMode)
{
    const Case cases[] = {
        {"plain lines", "plain text\r\nline two\r\n"},
        {"colours and attributes", E + "[1;31mbold red " + E + "[0;44mon blue" + E + "[7mrev" + E + "[5mblink"},
        {"code page 437 bytes that would read as UTF-8", "\xc3\xa9 \xb0\xb1\xdb\xc9\xcd\xbb \x82"},
        {"colours modern mode reads otherwise", E + "[38;5;12mX" + E + "[1;31m" + E + "[22mB" + E + "[39;49mC" + E + "[91mD"},
        {"a long number makes text", E + "[100mX" + E + "[31;100mY"},
        {"a long move is text and a short move", "abcd" + E + "[105DX" + E + "[3;100Hy"},
        {"broken sequences and control glyphs", "\x01\x02" + E + "x" + E + E + "[31m" + E + "[3\xe9" + E + "[4;\rq"},
        {"an over-long sequence", E + "[" + std::string(60, '1') + "mX"},
        {"a trigger's highlight", "a" + E + "[c" + E + "[1;33;40mhi" + E + "[d b"},
        {"tab, bell, backspace and erasing", E + "[44mtab\there\a\bX\r\nline" + E + "[2D" + E + "[K!"},
        {"a backspace blanks in the colours set just before", "ab" + E + "[41m\b\r\n"},
        {"cut off in a sequence", "text" + E + "[1;3", "1mZ"},
    };
    for (const Case& c : cases) {
        const std::string converted = convert(c.text, true);
        EXPECT_EQ(look(converted + c.next, true, c.columns), look(c.text + c.next, false, c.columns)) << c.name << ": " << converted;
    }
}

// What classic mode can draw, it draws the same.
TEST(ScrollbackConversion, ModernTextWithinClassicReachLooksTheSame)
{
    const Case cases[] = {
        {"accents and frames", "caf\xc3\xa9 \xe2\x95\x94\xe2\x95\x90\xe2\x99\xa5 \xc2\xb0"},
        {"bytes that are no UTF-8 keep their glyphs", "caf\xe9 \xb0\xff"},
        {"bright colours", E + "[91mY" + E + "[0;104mZ" + E + "[0;1;7;34mR" + E + "[0m."},
        {"normal intensity and default colours", E + "[1;31mA" + E + "[22mB" + E + "[39;49mC"},
        {"table colours that are the sixteen", E + "[38;5;9mA" + E + "[48;5;4mB"},
        {"long moves", "abcdefgh" + E + "[100DX" + E + "[3;120Hq" + E + "[00005Cr"},
        {"a move beyond what classic mode reads at once", E + "[100CA\r\n\a", "Z", 160},
        {"a trigger's highlight", "a" + E + "[c" + E + "[38;5;11mhi" + E + "[d b"},
        {"reverse", E + "[7mrev" + E + "[31mred"},
        {"cut off in a sequence", "text" + E + "[1;3", "1mZ"},
    };
    for (const Case& c : cases) {
        const std::string converted = convert(c.text, false);
        EXPECT_EQ(look(converted + c.next, false, c.columns), look(c.text + c.next, true, c.columns)) << c.name << ": " << converted;
    }
}

// Beyond classic reach: the nearest of the sixteen colours, "?" for what has no glyph.
TEST(ScrollbackConversion, ModernTextBeyondClassicReachTakesTheNearest)
{
    const Palette palette;
    const struct {
        const char* name;
        std::string text;
        std::u32string shown;
        int foreground, background; // colour numbers of the first cell
    } cases[] = {
        {"256-colour red", E + "[38;5;196mR", U"R", 12, 0},
        {"24-bit navy background", E + "[48;2;0;0;130mB", U"B", 7, 1},
        {"24-bit orange", E + "[38;2;250;110;10mO", U"O", 12, 0},
        {"bright on bright keeps the foreground", E + "[97;104mW", U"W", 15, 1},
        {"wide characters take a mark per cell", "\xe4\xb8\xad!", U"?\?!", 7, 0},
        {"a glyph whose byte acts", "\xe2\x99\xaa\xe2\x86\x90", U"??", 7, 0},
        {"a broken sequence", E + "[3\xc3\xa9", U"?[3\u00e9", 7, 0},
    };
    for (const auto& c : cases) {
        const std::string first = look(convert(c.text, false), false)[0];
        std::string want = "{" + std::to_string(palette[c.foreground]) + "," + std::to_string(palette[c.background]) + "}";
        for (const char32_t ch : c.shown)
            utf8::append(want, ch);
        EXPECT_EQ(first.substr(0, want.size()), want) << c.name;
    }
}

// Longer than the capacity once rewritten: whole lines go from the start, and the lines kept
// look as they did, colours included.
TEST(ScrollbackConversion, TextBeyondTheCapacityLosesWholeLinesFromTheStart)
{
    std::string classic;
    for (int line = 0; classic.size() < 15000; ++line)
        classic += E + "[1;3" + std::to_string(line % 8) + "m" + std::string(70, char(0xB0 + line % 3)) + "\r\n";
    classic += E + "[44m";
    const std::size_t capacity = 16001;
    const std::string converted = convert(classic, true, capacity);
    ASSERT_LE(converted.size(), capacity);
    ASSERT_GT(converted.size(), capacity - 300);
    const std::vector<std::string> before = look(classic + "end", false), after = look(converted + "end", true);
    ASSERT_LT(after.size(), before.size());
    for (std::size_t i = 1; i <= after.size(); ++i)
        EXPECT_EQ(after[after.size() - i], before[before.size() - i]) << i;
    // A line longer than all the room keeps its end.
    EXPECT_GT(convert(std::string(300, 'a'), true, 100).size(), 80u);
    // Not even the last line fits: only its colours are kept.
    EXPECT_LE(convert(classic, true, 20).size(), 20u);
}

} // namespace
} // namespace tw
