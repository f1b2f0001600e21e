#pragma once
// The terminal font as 256 pre-rendered cells of 8 x 12 pixels, one coverage byte per pixel.
// The line and block characters are built pixel by pixel so that they meet their
// neighbours; the others are drawn once with a monospace font.
#include <array>
#include <cstdint>

class QFont;

namespace tw {

class CellGlyphs {
public:
    static constexpr int Width = 8;
    static constexpr int Height = 12;
    using Cell = std::array<std::uint8_t, Width * Height>; // row by row, 0 blank to 255 ink

    // The glyphs of code page 437, rendered on first use.
    static const CellGlyphs& cp437();

    explicit CellGlyphs(const QFont& font);
    const Cell& glyph(std::uint8_t b) const { return cells_[b]; }

private:
    void renderText(const QFont& font);
    void buildBoxes();

    std::array<Cell, 256> cells_{};
};

// The font the glyphs are drawn with: a monospace face sized so that its characters fit
// the 8 x 12 cell.
QFont terminalFont();

} // namespace tw
