#pragma once
// The code page 437 cells already drawn in their colours: for each pair of colours and each
// byte, the cell's pixels row by row, made on first use. Drawing a cell is then a copy of its
// rows. The 256 pairs of palette colours have their places; pairs with a colour of their own
// (modern mode's 256 and 24-bit colours) get one of MaxOwnPairs more as they come. The atlas
// keeps at most MaxBytes of pixels; past either limit the view draws the remaining cells from
// the glyphs' ink itself.
#include "core/qt/CellGlyphs.h"
#include "net/Palette.h"

#include <QRgb>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tw {

class CellAtlas {
public:
    static constexpr std::size_t MaxBytes = std::size_t(8) << 20;
    static constexpr int PalettePairs = 256; // background x 16 + foreground
    static constexpr int MaxOwnPairs = 1024;

    // Forgets every cell and pair; the next ones are drawn from these glyphs.
    void reset(const CellGlyphs& glyphs);
    // The place of a pair of cell colours, -1 once no more pairs fit.
    int pairFor(CellColour background, CellColour foreground);
    // The pixels of byte b in the colour pair, shades being the pair's 16 steps from its
    // background to its foreground; null once the atlas is full. The pointer holds until
    // the next call.
    const QRgb* cell(int pair, std::uint8_t b, const QRgb* shades);
    std::size_t cellCount() const { return pixels_.size() / cellPixels(); }

private:
    std::size_t cellPixels() const { return std::size_t(glyphs_->width()) * std::size_t(glyphs_->height()); }

    static constexpr std::uint32_t Missing = 0xFFFFFFFFu;
    const CellGlyphs* glyphs_ = nullptr;
    // Where each pair's byte starts in pixels_, Missing until drawn.
    std::vector<std::uint32_t> start_;
    // The places of the pairs with a colour of their own, after the palette pairs.
    std::unordered_map<std::uint64_t, int> ownPairs_;
    std::vector<QRgb> pixels_;
};

} // namespace tw
