#pragma once
// The code page 437 cells already drawn in their colours: for each pair of colour numbers
// and each byte, the cell's pixels row by row, made on first use. Drawing a cell is then a
// copy of its rows. The atlas keeps at most MaxBytes of pixels; past that the view draws the
// remaining cells from the glyphs' ink itself.
#include "core/qt/CellGlyphs.h"

#include <QRgb>

#include <array>
#include <cstdint>
#include <vector>

namespace tw {

class CellAtlas {
public:
    static constexpr std::size_t MaxBytes = std::size_t(8) << 20;
    static constexpr int Pairs = 256; // background x 16 + foreground

    // Forgets every cell; the next ones are drawn from these glyphs.
    void reset(const CellGlyphs& glyphs);
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
    std::vector<QRgb> pixels_;
};

} // namespace tw
