#include "core/ScreenModel.h"

#include "base/Utf8.h"

#include <algorithm>

namespace tw {

namespace {
// Each character of the scrollback adds at most one line, so a layout stays far below this;
// it only keeps a caller's nonsense row from asking for unbounded memory.
constexpr int MaxRows = 1 << 20;
constexpr int MaxRowCount = 10000;
// Line storage beyond what layouts need is given back above this many lines.
constexpr std::size_t KeptLines = 4096;
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
    // A flood of line ends once made very many lines; the layouts since need far fewer.
    if (lines_.size() > KeptLines && std::size_t(peakLines_) * 2 < lines_.size()) {
        lines_.resize(std::max(std::size_t(peakLines_), KeptLines));
        lines_.shrink_to_fit();
    }
    peakLines_ = 0;
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
    peakLines_ = std::max(peakLines_, lineCount_);
}

void ScreenModel::appendText(std::string& out, const ScreenCell& cell) const
{
    if (!modern_)
        out += char(cell.character);
    else if (!(cell.character & ScreenCell::RightHalf))
        utf8::append(out, cell.character);
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

void ScreenModel::putCharacter(std::uint8_t ch, CellColour foreground, CellColour background)
{
    // A column below 1 can only come from a caller; it is dropped like one beyond the edge.
    if (column_ >= 1 && column_ <= columnCount_ && row_ <= lineCount_)
        *cellsAt(column_, 1) = ScreenCell{background, foreground, ch};
    // The common case needs none of the move rules: still inside the line, line present.
    const int next = column_ + 1;
    if (next >= 1 && next <= columnCount_ && row_ <= lineCount_)
        column_ = next;
    else
        moveCursor(next, row_);
}

void ScreenModel::putRun(const char* text, std::size_t n, CellColour foreground,
                         CellColour background)
{
    while (n > 0) {
        if (column_ >= 1 && column_ < columnCount_ && row_ <= lineCount_) {
            // Every character but one at the last column leaves the cursor on this line.
            const std::size_t k = std::min(n, std::size_t(columnCount_ - column_));
            ScreenCell* cell = cellsAt(column_, int(k));
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
        if (modern_)
            putCode(std::uint8_t(*text), 1, foreground, background);
        else
            putCharacter(std::uint8_t(*text), foreground, background);
        ++text;
        --n;
    }
}

void ScreenModel::putCode(char32_t code, int width, CellColour foreground, CellColour background)
{
    if (wordWrap_ && column_ > 1 && column_ + width - 1 > columnCount_) {
        if (code == ' ' && column_ > columnCount_) {
            // The space where the line breaks: the next line starts with the next word.
            moveCursor(1, row_ + 1);
            return;
        }
        wrapWord();
    }
    if (column_ >= 1 && column_ + width - 1 <= columnCount_ && row_ <= lineCount_) {
        ScreenCell* cell = cellsAt(column_, width);
        cell[0] = ScreenCell{background, foreground, code};
        if (width == 2)
            cell[1] = ScreenCell{background, foreground, code | ScreenCell::RightHalf};
    }
    // No move rules here: the line breaks when the next character comes.
    if (row_ <= lineCount_)
        column_ += width;
    else
        moveCursor(column_ + width, row_);
}

void ScreenModel::wrapWord()
{
    std::array<ScreenCell, ScreenLine::Width> word;
    int length = 0;
    const int last = std::min(column_ - 1, columnCount_);
    if (row_ <= lineCount_ && last >= 1) {
        ScreenLine& line = lines_[std::size_t(row_ - 1)];
        int first = last;
        while (first >= 1 && line.cell(first).character != ' ')
            --first;
        // A word that fills the whole line breaks at the edge; a line that ends in a blank
        // has no word to carry (its length is 0).
        if (first >= 1) {
            length = last - first;
            for (int i = 0; i < length; ++i) {
                ScreenCell& cell = line.cells[std::size_t(first + i)];
                word[std::size_t(i)] = cell;
                cell.character = ' ';
            }
        }
    }
    moveCursor(1, row_ + 1);
    if (length > 0) {
        std::copy_n(word.begin(), length, cellsAt(1, length));
        column_ = 1 + length;
    }
}

void ScreenModel::eraseToEndOfLine()
{
    if (row_ < 1 || row_ > lineCount_ || column_ > ScreenLine::Width)
        return;
    ScreenLine& line = lines_[std::size_t(row_ - 1)];
    line.written = std::min(line.written, std::max(column_, 1) - 1);
}

void ScreenModel::handleControl(std::uint8_t ch, CellColour foreground, CellColour background)
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

void ScreenModel::backspace(CellColour foreground, CellColour background)
{
    if (column_ >= 2) {
        // Back one column, blank it, and stay there.
        const int back = column_ - 1;
        moveCursor(back, row_);
        if (back <= columnCount_ && row_ <= lineCount_)
            *cellsAt(back, 1) = ScreenCell{background, foreground, ' '};
        return;
    }
    if (row_ <= 1)
        return;
    // From the start of a line the character before is the last visible cell above.
    moveCursor(columnCount_, row_ - 1);
    if (row_ <= lineCount_)
        *cellsAt(columnCount_, 1) = ScreenCell{background, foreground, ' '};
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
