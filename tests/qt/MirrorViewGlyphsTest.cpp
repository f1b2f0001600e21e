// The terminal font: code page 437 characters and the 8 x 12 glyph cells.
#include "core/qt/CellAtlas.h"
#include "core/qt/CellGlyphs.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <gtest/gtest.h>

#include <array>

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

// The atlas holds each cell in its colours exactly as shading the glyph's ink would draw it,
// and stops taking cells at its size limit until it is reset.
TEST(MirrorViewGlyphs, TheAtlasHoldsCellsShadedFromTheirInkUpToItsLimit)
{
    const CellGlyphs& glyphs = CellGlyphs::cp437(12, 18);
    std::array<QRgb, 16> shades{};
    for (int step = 0; step < 16; ++step)
        shades[std::size_t(step)] = qRgb(step, 2 * step, 255 - step);
    CellAtlas atlas;
    EXPECT_EQ(atlas.cell(0, 'A', shades.data()), nullptr) << "no glyphs yet";
    atlas.reset(glyphs);
    for (int b : {int('A'), 0xDB, 0xB1, 0}) {
        const QRgb* cell = atlas.cell(7, std::uint8_t(b), shades.data());
        ASSERT_NE(cell, nullptr);
        const CellGlyphs::Cell ink = glyphs.glyph(std::uint8_t(b));
        for (std::size_t i = 0; i < ink.size(); ++i)
            ASSERT_EQ(cell[i], shades[ink[i] >> 4]) << b << " pixel " << i;
    }
    EXPECT_EQ(atlas.cell(7, 'A', shades.data()), atlas.cell(7, 'A', shades.data())) << "made once";
    EXPECT_EQ(atlas.cell(CellAtlas::PalettePairs, 'A', shades.data()), nullptr);

    const std::size_t cellBytes = 12 * 18 * sizeof(QRgb);
    int made = 0;
    for (int pair = 0; pair < CellAtlas::PalettePairs; ++pair)
        for (int b = 0; b < 256; ++b)
            made += atlas.cell(pair, std::uint8_t(b), shades.data()) != nullptr;
    EXPECT_EQ(std::size_t(made), CellAtlas::MaxBytes / cellBytes);
    EXPECT_NE(atlas.cell(7, 'A', shades.data()), nullptr) << "cells made before stay";
    EXPECT_EQ(atlas.cell(255, 255, shades.data()), nullptr);
    atlas.reset(glyphs);
    EXPECT_NE(atlas.cell(255, 255, shades.data()), nullptr);
    EXPECT_EQ(atlas.cellCount(), 1u);
}

// Pairs of palette colours have fixed places; a pair with a colour of its own gets the next
// free place, the same one each time, until the places run out.
TEST(MirrorViewGlyphs, TheAtlasGivesEveryPairOfColoursItsPlace)
{
    CellAtlas atlas;
    atlas.reset(CellGlyphs::cp437());
    EXPECT_EQ(atlas.pairFor(1, 14), 1 * 16 + 14);
    EXPECT_EQ(atlas.pairFor(17, 30), 1 * 16 + 14) << "colour numbers count modulo 16";
    const CellColour pink = rgbCellColour(255, 105, 180), teal = rgbCellColour(0, 128, 128);
    EXPECT_EQ(atlas.pairFor(0, pink), CellAtlas::PalettePairs);
    EXPECT_EQ(atlas.pairFor(pink, 0), CellAtlas::PalettePairs + 1) << "the order counts";
    EXPECT_EQ(atlas.pairFor(16, pink), CellAtlas::PalettePairs);
    EXPECT_EQ(atlas.pairFor(teal, pink), CellAtlas::PalettePairs + 2);
    std::array<QRgb, 16> shades{};
    shades.fill(qRgb(1, 2, 3));
    const QRgb* cell = atlas.cell(CellAtlas::PalettePairs + 2, 'x', shades.data());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell[0], qRgb(1, 2, 3));
    EXPECT_EQ(atlas.cell(CellAtlas::PalettePairs + 3, 'x', shades.data()), nullptr) << "no such place yet";

    for (int n = 3; n < CellAtlas::MaxOwnPairs; ++n)
        ASSERT_EQ(atlas.pairFor(0, rgbCellColour(n, n >> 8, 7)), CellAtlas::PalettePairs + n);
    EXPECT_EQ(atlas.pairFor(0, rgbCellColour(1, 1, 1)), -1) << "full";
    EXPECT_EQ(atlas.pairFor(teal, pink), CellAtlas::PalettePairs + 2) << "known pairs keep their places";
    atlas.reset(CellGlyphs::cp437());
    EXPECT_EQ(atlas.pairFor(0, rgbCellColour(1, 1, 1)), CellAtlas::PalettePairs);
}

} // namespace
} // namespace tw
