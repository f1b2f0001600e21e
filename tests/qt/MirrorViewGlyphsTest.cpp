// The terminal font: code page 437 characters and the 8 x 12 glyph cells.
#include "core/qt/CellGlyphs.h"
#include "core/qt/Cp437.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <gtest/gtest.h>

namespace tw {
namespace {

int ink(const CellGlyphs::Cell& cell)
{
    int n = 0;
    for (auto v : cell)
        n += v > 127;
    return n;
}

TEST(MirrorViewGlyphs, CodePage437Characters)
{
    struct Case {
        int byte;
        char16_t unicode;
    } cases[] = {{0x01, 0x263A}, {0x1B, 0x2190}, {'A', 'A'},     {0x7F, 0x2302},
                 {0x80, 0x00C7}, {0x9B, 0x00A2}, {0xB0, 0x2591}, {0xC9, 0x2554},
                 {0xCD, 0x2550}, {0xBB, 0x2557}, {0xBA, 0x2551}, {0xC8, 0x255A},
                 {0xBC, 0x255D}, {0xDB, 0x2588}, {0xE1, 0x00DF}, {0xFF, 0x00A0}};
    for (const Case& c : cases)
        EXPECT_EQ(int(cp437ToUnicode(std::uint8_t(c.byte))), int(c.unicode)) << std::hex << c.byte;
}

TEST(MirrorViewGlyphs, FontFitsTheCell)
{
    const QFontMetricsF metrics(terminalFont());
    EXPECT_LE(metrics.horizontalAdvance(QLatin1Char('W')), 8.01);
    EXPECT_TRUE(QFontInfo(terminalFont()).fixedPitch());
}

TEST(MirrorViewGlyphs, GlyphCellsHaveInkWhereExpected)
{
    const CellGlyphs& g = CellGlyphs::cp437();
    EXPECT_EQ(ink(g.glyph(' ')), 0);
    EXPECT_EQ(ink(g.glyph(0)), 0);
    EXPECT_EQ(ink(g.glyph(0xDB)), 96);
    EXPECT_EQ(ink(g.glyph(0xDC)), 48);
    EXPECT_EQ(ink(g.glyph(0xB1)), 48);
    for (int b : {int('A'), int('g'), int('#'), 0x1B, 0x80, 0xE1, 0xF1}) {
        int coverage = 0;
        for (auto v : g.glyph(std::uint8_t(b)))
            coverage += v;
        EXPECT_GT(coverage, 4 * 255) << b;
    }
    // A single vertical line is one column, top to bottom.
    EXPECT_EQ(ink(g.glyph(0xB3)), 12);
}

} // namespace
} // namespace tw
