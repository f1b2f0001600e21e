#pragma once
// The terminal's screen model: lines of coloured character cells laid out from the
// scrollback, with a cursor and the screen operations the escape-sequence interpreter uses.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tw {

struct ScreenCell {
    std::uint8_t background = 0;
    std::uint8_t foreground = 7;
    std::uint8_t character = ' ';
    bool operator==(const ScreenCell&) const = default;
};

// One line of the model. Every line has the full width, whatever the window shows.
struct ScreenLine {
    static constexpr int Width = 160;
    std::array<ScreenCell, Width> cells;

    void clear() { cells.fill(ScreenCell{}); }
    // Column counted from 1.
    const ScreenCell& cell(int column) const { return cells[std::size_t(column - 1)]; }
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

    // Empties the line list, puts the cursor at column 1, row 1 and appends one empty line.
    // Line storage is kept for the next layout.
    void restart();

    int LineCount() const { return lineCount_; }
    // Line numbers count from 1 up to LineCount().
    const ScreenLine& line(int number) const { return lines_[std::size_t(number - 1)]; }

    int column() const { return column_; }
    int row() const { return row_; }

    // Moves the cursor with the wrapping rules and appends lines up to the cursor row.
    void moveCursor(int column, int row);
    // Puts a character in the current colours at the cursor and advances the cursor.
    void putCharacter(std::uint8_t ch, std::uint8_t foreground, std::uint8_t background);
    // Puts n characters that are no control characters (all 14 or above) in one colour:
    // the same as n calls of putCharacter, done a line piece at a time.
    void putRun(const char* text, std::size_t n, std::uint8_t foreground, std::uint8_t background);
    // Blanks the cursor's line from the cursor column to its last cell.
    void eraseToEndOfLine();
    // Removes every line; the cursor stays where it was.
    void clearAll() { lineCount_ = 0; }

    // A character that reached the screen outside an escape sequence: control characters
    // act on the cursor, everything else is put.
    void handleCharacter(std::uint8_t ch, std::uint8_t foreground, std::uint8_t background)
    {
        if (ch >= 14) {
            putCharacter(ch, foreground, background);
            return;
        }
        handleControl(ch, foreground, background);
    }

private:
    void handleControl(std::uint8_t ch, std::uint8_t foreground, std::uint8_t background);
    void appendEmptyLine();
    void backspace(std::uint8_t foreground, std::uint8_t background);
    void tab();

    std::vector<ScreenLine> lines_; // grows only; the first lineCount_ entries are in use
    int lineCount_ = 0;
    int column_ = 1;
    int row_ = 1;
    int columnCount_ = 80;
    int rowCount_ = 25;
    bool wordWrap_ = true;
};

} // namespace tw
