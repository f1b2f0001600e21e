#include "core/ScreenModel.h"

#include <algorithm>

namespace tw {

namespace {
// Each character of the scrollback adds at most one line, so a layout stays far below this;
// it only keeps a caller's nonsense row from asking for unbounded memory.
constexpr int MaxRows = 1 << 20;
constexpr int MaxRowCount = 10000;
} // namespace

void ScreenModel::setColumnCount(int columns)
{
    columnCount_ = std::clamp(columns, 1, ScreenLine::Width);
}

void ScreenModel::setRowCount(int rows)
{
    rowCount_ = std::clamp(rows, 0, MaxRowCount);
}

void ScreenModel::restart()
{
    lineCount_ = 0;
    column_ = 1;
    row_ = 1;
    appendEmptyLine();
}

void ScreenModel::appendEmptyLine()
{
    if (std::size_t(lineCount_) == lines_.size())
        lines_.emplace_back();
    else
        lines_[std::size_t(lineCount_)].clear();
    ++lineCount_;
}

void ScreenModel::moveCursor(int column, int row)
{
    if (column <= 0 && row > 1)
        column = 1;
    if (column > columnCount_ && wordWrap_) {
        column = 1;
        ++row;
    }
    if (row <= 0)
        row = 1;
    row = std::min(row, MaxRows);
    column_ = column;
    row_ = row;
    while (lineCount_ < row_)
        appendEmptyLine();
}

void ScreenModel::putCharacter(std::uint8_t ch, std::uint8_t foreground, std::uint8_t background)
{
    // A column below 1 can only come from a caller; it is dropped like one beyond the edge.
    if (column_ >= 1 && column_ <= columnCount_ && row_ <= lineCount_) {
        ScreenCell& cell = lines_[std::size_t(row_ - 1)].cells[std::size_t(column_ - 1)];
        cell.background = background;
        cell.foreground = foreground;
        cell.character = ch;
    }
    // The common case needs none of the move rules: still inside the line, line present.
    const int next = column_ + 1;
    if (next >= 1 && next <= columnCount_ && row_ <= lineCount_)
        column_ = next;
    else
        moveCursor(next, row_);
}

void ScreenModel::putRun(const char* text, std::size_t n, std::uint8_t foreground,
                         std::uint8_t background)
{
    while (n > 0) {
        if (column_ >= 1 && column_ < columnCount_ && row_ <= lineCount_) {
            // Every character but one at the last column leaves the cursor on this line.
            const std::size_t k = std::min(n, std::size_t(columnCount_ - column_));
            ScreenCell* cell = &lines_[std::size_t(row_ - 1)].cells[std::size_t(column_ - 1)];
            for (std::size_t i = 0; i < k; ++i)
                cell[i] = ScreenCell{background, foreground, std::uint8_t(text[i])};
            column_ += int(k);
            text += k;
            n -= k;
            continue;
        }
        if (column_ > columnCount_ && !wordWrap_ && row_ <= lineCount_) {
            // Beyond the edge with wrapping off the characters are dropped, the column counts.
            column_ += int(n);
            return;
        }
        putCharacter(std::uint8_t(*text), foreground, background);
        ++text;
        --n;
    }
}

void ScreenModel::eraseToEndOfLine()
{
    if (row_ < 1 || row_ > lineCount_ || column_ > ScreenLine::Width)
        return;
    auto& cells = lines_[std::size_t(row_ - 1)].cells;
    std::fill(cells.begin() + std::max(column_, 1) - 1, cells.end(), ScreenCell{});
}

void ScreenModel::handleControl(std::uint8_t ch, std::uint8_t foreground, std::uint8_t background)
{
    switch (ch) {
    case Bell:
    case LineFeed:
        return;
    case Backspace:
        backspace(foreground, background);
        return;
    case Tab:
        tab();
        return;
    case VerticalTab:
        moveCursor(1, 1);
        return;
    case FormFeed:
        clearAll();
        return;
    case CarriageReturn:
        moveCursor(1, row_ + 1);
        return;
    default:
        putCharacter(ch, foreground, background);
    }
}

void ScreenModel::backspace(std::uint8_t foreground, std::uint8_t background)
{
    if (column_ >= 2) {
        const int back = column_ - 1;
        moveCursor(back, row_);
        putCharacter(' ', foreground, background);
        moveCursor(back, row_);
        return;
    }
    if (row_ <= 1)
        return;
    // From the start of a line the character before is the last visible cell above.
    moveCursor(columnCount_, row_ - 1);
    if (row_ <= lineCount_) {
        ScreenCell& cell = lines_[std::size_t(row_ - 1)].cells[std::size_t(columnCount_ - 1)];
        cell = ScreenCell{background, foreground, ' '};
    }
}

void ScreenModel::tab()
{
    if (column_ >= columnCount_) {
        if (column_ == columnCount_)
            moveCursor(1, row_ + 1);
        else
            moveCursor(column_, row_); // beyond the edge with wrapping off: stays
        return;
    }
    const int stop = (column_ / 8 + 1) * 8;
    if (stop == columnCount_)
        moveCursor(1, row_ + 1);
    else
        moveCursor(stop, row_);
}

} // namespace tw
