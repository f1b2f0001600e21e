#pragma once
// Cells for the characters of modern mode beyond ASCII, the size of the code page 437 cells
// they go with: rendered on first use with the terminal font for that size, where Qt takes a
// glyph the font lacks from another font that has it. A wide character gets two cells, its
// left and right halves. The characters of code page 437 use its cells, so that line-drawing
// characters still meet their neighbours.
#include "core/qt/CellGlyphs.h"

#include <QFont>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tw {

class UnicodeGlyphs {
public:
    // More distinct characters than this start the cache afresh.
    static constexpr std::size_t MaxCached = 4096;

    explicit UnicodeGlyphs(const CellGlyphs& cp437);

    const CellGlyphs& cp437() const { return cp437_; }
    // The ink of the cell that shows code; with ScreenCell::RightHalf set, the right half of
    // a wide character.
    CellGlyphs::Cell cell(char32_t code);
    std::size_t cachedCount() const { return first_.size(); }

private:
    void start();
    std::size_t add(CellGlyphs::Cell ink, bool leftHalf);
    std::size_t render(char32_t code, bool wide);

    const CellGlyphs& cp437_;
    const int width_, height_;
    QFont font_;
    // The first of a character's cells; a wide character's right half follows it.
    std::unordered_map<char32_t, std::size_t> first_;
    std::vector<std::uint8_t> ink_; // the cells one after another, row by row
    std::vector<bool> leftHalf_;    // per cell: the left half of a wide character
};

} // namespace tw
