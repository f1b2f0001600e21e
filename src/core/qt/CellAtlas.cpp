#include "core/qt/CellAtlas.h"

namespace tw {

void CellAtlas::reset(const CellGlyphs& glyphs)
{
    glyphs_ = &glyphs;
    start_.assign(std::size_t(Pairs) * 256, Missing);
    pixels_.clear();
}

const QRgb* CellAtlas::cell(int pair, std::uint8_t b, const QRgb* shades)
{
    if (!glyphs_ || pair < 0 || pair >= Pairs)
        return nullptr;
    std::uint32_t& start = start_[std::size_t(pair) * 256 + b];
    if (start == Missing) {
        const std::size_t size = cellPixels();
        if ((pixels_.size() + size) * sizeof(QRgb) > MaxBytes)
            return nullptr;
        start = std::uint32_t(pixels_.size());
        for (const std::uint8_t ink : glyphs_->glyph(b))
            pixels_.push_back(shades[ink >> 4]);
    }
    return pixels_.data() + start;
}

} // namespace tw
