// The terminal font: code page 437 characters and the 8 x 12 glyph cells.
#include "core/qt/CellGlyphs.h"

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
