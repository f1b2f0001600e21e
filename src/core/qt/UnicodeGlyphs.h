#pragma once
// Cells for the characters of modern mode beyond ASCII: rendered on first use with the
// terminal font, where Qt takes each glyph the font lacks from another font that has it. A
// wide character gets two cells, its left and right halves. The characters of code page 437
// use its cells, so that line-drawing characters still meet their neighbours.
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

    UnicodeGlyphs(const QFont& font, const CellGlyphs& cp437);

    // The ink of the cell that shows code; with ScreenCell::RightHalf set, the right half of
    // a wide character.
    const CellGlyphs::Cell& cell(char32_t code);
    std::size_t cachedCount() const { return first_.size(); }

private:
    void start();
    std::size_t render(char32_t code, bool wide);

    QFont font_;
    const CellGlyphs& cp437_;
    // The first of a character's cells in cells_; a wide character's right half follows it.
    std::unordered_map<char32_t, std::size_t> first_;
    std::vector<CellGlyphs::Cell> cells_;
    std::vector<bool> wide_; // per entry of cells_: the left half of a wide character
};

} // namespace tw
