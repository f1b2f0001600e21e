#include "core/qt/CellAtlas.h"

namespace tw {

void CellAtlas::reset(const CellGlyphs& glyphs)
{
    glyphs_ = &glyphs;
    start_.assign(std::size_t(PalettePairs) * 256, Missing);
    ownPairs_.clear();
    pixels_.clear();
}

int CellAtlas::pairFor(CellColour background, CellColour foreground)
{
    if (!isRgb(background) && !isRgb(foreground))
        return int((background % 16) * 16 + foreground % 16);
    // A colour number counts by its palette colour, as it is drawn.
    const auto key = [](CellColour c) { return std::uint64_t(isRgb(c) ? c : c % 16); };
    const std::uint64_t pair = key(background) << 32 | key(foreground);
    if (const auto known = ownPairs_.find(pair); known != ownPairs_.end())
        return known->second;
    if (ownPairs_.size() >= std::size_t(MaxOwnPairs))
        return -1;
    const int place = PalettePairs + int(ownPairs_.size());
    ownPairs_.emplace(pair, place);
    start_.resize(start_.size() + 256, Missing);
    return place;
}

const QRgb* CellAtlas::cell(int pair, std::uint8_t b, const QRgb* shades)
{
    if (!glyphs_ || pair < 0 || std::size_t(pair) * 256 >= start_.size())
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
