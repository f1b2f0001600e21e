#pragma once
// A selection in the colour view, held in cells of the screen model: from one cell to another,
// line by line as terminals select (the first line to its end, whole lines between, the last
// line from its start). Copying takes the characters of the cells, so no escape sequence of
// the scrollback ever reaches the clipboard.
#include "core/ScreenModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace tw {

// A cell of the model: line number and column, both from 1.
struct CellPosition {
    int line = 1;
    int column = 1;
    auto operator<=>(const CellPosition&) const = default;
};

// Letters, digits, '_' and '-', and every byte from 128 on (accented letters; in modern mode
// every character from 128 on): what a double-click takes as a word and what Tab completes.
bool isWordByte(char32_t b);

// The columns of the word around column on a line of columnCount cells, inclusive; a cell
// that holds no word character is a word of its own.
std::pair<int, int> wordAt(const ScreenLine& line, int columnCount, int column);

class TerminalSelection {
public:
    // The mouse went down: the anchor is set, nothing is selected until the mouse moves on.
    void start(CellPosition at);
    // The mouse moved to another cell while held.
    void extend(CellPosition to);
    void select(CellPosition from, CellPosition to);
    void clear() { anchor_.reset(); selected_ = false; }

    bool empty() const { return !selected_; }
    // The ends in reading order, both inclusive; only when not empty.
    CellPosition first() const { return std::min(anchor_.value(), head_); }
    CellPosition last() const { return std::max(anchor_.value(), head_); }

    // The selected columns of a line, inclusive, for a view of columnCount columns.
    std::optional<std::pair<int, int>> columnsOn(int line, int columnCount) const;
    // The selected characters, each line without its trailing blanks, lines parted by "\n".
    std::string text(const ScreenModel& model) const;

private:
    std::optional<CellPosition> anchor_;
    CellPosition head_;
    bool selected_ = false;
};

} // namespace tw
