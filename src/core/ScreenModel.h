#pragma once
// The terminal's screen model: lines of coloured character cells laid out from the
// scrollback, with a cursor and the screen operations the escape-sequence interpreter uses.
#include "net/Palette.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

struct ScreenCell {
    // The right half of a character two cells wide holds the character with this bit set.
    static constexpr char32_t RightHalf = 0x80000000;

    CellColour background = 0;
    CellColour foreground = 7;
    // A byte, shown with its code page 437 glyph; in modern mode a Unicode character.
    char32_t character = ' ';
    bool operator==(const ScreenCell&) const = default;
};

// One line of the model. Every line has the full width, whatever the window shows.
struct ScreenLine {
    static constexpr int Width = 160;
    // Only the first `written` cells hold what was put there; the others read as blank. They
    // may still hold what an earlier layout left, so that clearing a line costs nothing.
    std::array<ScreenCell, Width> cells;
    int written = 0;

    void clear() { written = 0; }
    // Column counted from 1.
    const ScreenCell& cell(int column) const
    {
        static constexpr ScreenCell Blank{};
        return column <= written ? cells[std::size_t(column - 1)] : Blank;
    }
};

class ScreenModel {
public:
    static constexpr std::uint8_t Bell = 7, Backspace = 8, Tab = 9, LineFeed = 10,
                                  VerticalTab = 11, FormFeed = 12, CarriageReturn = 13;

    // Layout inputs. The column count is kept within 1..160 (a line has no more cells);
    // the row count is the number of lines the view shows and may be 0.
    void setColumnCount(int columns);
    void setRowCount(int rows);
    void setWordWrap(bool on) { wordWrap_ = on; }
    int ColumnCount() const { return columnCount_; }
    int RowCount() const { return rowCount_; }
    bool wordWrap() const { return wordWrap_; }

    // Modern mode: cells hold Unicode characters (putCode), and with word wrap on a line that
    // is full breaks before the word that does not fit on it (a word longer than the line
    // still breaks at the edge), the space at the break is dropped, and the cursor waits
    // beyond the last column until the next character comes, so that a line that fills the
    // width exactly and then ends makes no empty line.
    void setModern(bool on) { modern_ = on; }
    bool modern() const { return modern_; }

    // Empties the line list, puts the cursor at column 1, row 1 and appends one empty line.
    // Line storage is kept for the next layout.
    void restart();

    int LineCount() const { return lineCount_; }
    // Line numbers count from 1 up to LineCount().
    const ScreenLine& line(int number) const { return lines_[std::size_t(number - 1)]; }

    int column() const { return column_; }
    int row() const { return row_; }

    // Appends a cell's character as the game's text: its byte, or in modern mode its UTF-8
    // (nothing for the right half of a wide character).
    void appendText(std::string& out, const ScreenCell& cell) const;

    // Moves the cursor with the wrapping rules and appends lines up to the cursor row.
    void moveCursor(int column, int row);
    // Puts a character in the current colours at the cursor and advances the cursor.
    void putCharacter(std::uint8_t ch, CellColour foreground, CellColour background);
    // Puts n characters that are no control characters (all 14 or above) in one colour:
    // the same as n calls of putCharacter (of putCode in modern mode), done a line piece at
    // a time.
    void putRun(const char* text, std::size_t n, CellColour foreground, CellColour background);
    // Modern mode: puts one character that takes width (1 or 2) cells.
    void putCode(char32_t code, int width, CellColour foreground, CellColour background);
    // Blanks the cursor's line from the cursor column to its last cell.
    void eraseToEndOfLine();
    // Removes every line; the cursor stays where it was.
    void clearAll() { lineCount_ = 0; }

    // A character that reached the screen outside an escape sequence: control characters
    // act on the cursor, everything else is put.
    void handleCharacter(std::uint8_t ch, CellColour foreground, CellColour background)
    {
        if (ch >= 14) {
            putCharacter(ch, foreground, background);
            return;
        }
        handleControl(ch, foreground, background);
    }
    // The control characters 7 to 13; any other character is put.
    void handleControl(std::uint8_t ch, CellColour foreground, CellColour background);

private:
    void appendEmptyLine();
    void backspace(CellColour foreground, CellColour background);
    void tab();
    // The cells [column, column + count) of the cursor's line, which must exist, to be
    // written; the cells before them that read as blank are made blank.
    ScreenCell* cellsAt(int column, int count)
    {
        ScreenLine& line = lines_[std::size_t(row_ - 1)];
        if (column - 1 > line.written)
            std::fill(line.cells.begin() + line.written, line.cells.begin() + (column - 1), ScreenCell{});
        line.written = std::max(line.written, column - 1 + count);
        return &line.cells[std::size_t(column - 1)];
    }
    // Modern mode, a full line: the cursor goes to the next line, and the word that ends the
    // line goes with it when a blank stands before it.
    void wrapWord();

    std::vector<ScreenLine> lines_; // grows only; the first lineCount_ entries are in use
    int lineCount_ = 0;
    int peakLines_ = 0; // the most lines in use at once since the layout began
    int column_ = 1;
    int row_ = 1;
    int columnCount_ = 80;
    int rowCount_ = 25;
    bool wordWrap_ = true;
    bool modern_ = false;
};

} // namespace tw
