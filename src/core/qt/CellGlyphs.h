#pragma once
// The terminal font as 256 pre-rendered cells, 8 x 12 pixels at the normal text size and
// larger when the view is zoomed, one coverage byte per pixel. The line and block characters
// are built pixel by pixel so that they meet their neighbours; the others are drawn once
// with a scalable monospace font.
#include <cstdint>
#include <span>
#include <vector>

class QFont;

namespace tw {

class CellGlyphs {
public:
    static constexpr int Width = 8;
    static constexpr int Height = 12;
    // One cell, row by row, 0 blank to 255 ink.
    using Cell = std::span<const std::uint8_t>;

    // The glyphs of code page 437 in 8 x 12 cells, rendered on first use.
    static const CellGlyphs& cp437();
    // The same glyphs in cells of another size, rendered once per size.
    static const CellGlyphs& cp437(int width, int height);

    explicit CellGlyphs(const QFont& font, int width = Width, int height = Height);
    int width() const { return width_; }
    int height() const { return height_; }
    Cell glyph(std::uint8_t b) const
    {
        const std::size_t size = std::size_t(width_) * std::size_t(height_);
        return Cell(ink_.data() + b * size, size);
    }

private:
    std::uint8_t* cell(int b) { return ink_.data() + std::size_t(b) * std::size_t(width_ * height_); }
    void renderText(const QFont& font);
    void buildBoxes();

    int width_;
    int height_;
    std::vector<std::uint8_t> ink_;
};

// The font the glyphs are drawn with: a monospace face sized so that its characters fit a
// cell of the given size.
QFont terminalFont(int width = CellGlyphs::Width, int height = CellGlyphs::Height);

} // namespace tw
