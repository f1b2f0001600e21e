#pragma once
// What a colour view shows and what the mouse does in it. A view asks for its rows by number
// (from 0) with its own row and column counts, so that two views of different heights can show
// one text; the points the mouse gives are cells of that view (column and row from 1, a drag
// may leave the view).
#include "core/PaintedRows.h"
#include "core/ViewZoom.h"

#include <string>

namespace tw {

class Terminal;

class ViewRows {
public:
    virtual ~ViewRows() = default;
    virtual PaintedRows::Row row(int row, int rows, int columns) const = 0;
    // Text has arrived below what the view shows.
    virtual bool moreBelow() const = 0;
    virtual void scrollLines(int delta) = 0;
    virtual void scrollToEnd() = 0;
    virtual void selectionStart(CellPoint at, int rows) = 0;
    virtual void selectionExtend(CellPoint to, int rows) = 0;
    virtual void selectWord(CellPoint at, int rows) = 0;
    // The selection as the game's text (see TerminalSelection::text).
    virtual std::string selectedText() const = 0;
};

// The terminal's own view: the lines its view position shows, its scrolling and its selection.
class TerminalRows : public ViewRows {
public:
    explicit TerminalRows(Terminal& terminal) : terminal_(terminal) {}
    PaintedRows::Row row(int row, int rows, int columns) const override;
    bool moreBelow() const override;
    void scrollLines(int delta) override;
    void scrollToEnd() override;
    void selectionStart(CellPoint at, int rows) override;
    void selectionExtend(CellPoint to, int rows) override;
    void selectWord(CellPoint at, int rows) override;
    std::string selectedText() const override;

private:
    Terminal& terminal_;
};

} // namespace tw
