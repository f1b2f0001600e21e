#include "core/ViewRows.h"

#include "core/Terminal.h"

namespace tw {

PaintedRows::Row TerminalRows::row(int row, int, int columns) const
{
    return PaintedRows::rowOf(terminal_, row, columns);
}

bool TerminalRows::moreBelow() const { return terminal_.moreBelow(); }

void TerminalRows::scrollLines(int delta) { terminal_.scrollLines(delta); }

void TerminalRows::scrollToEnd() { terminal_.ScrollToEnd(); }

void TerminalRows::selectionStart(CellPoint at, int) { terminal_.selectionStart(at); }

void TerminalRows::selectionExtend(CellPoint to, int) { terminal_.selectionExtend(to); }

void TerminalRows::selectWord(CellPoint at, int) { terminal_.selectWord(at); }

std::string TerminalRows::selectedText() const { return terminal_.selectedText(); }

} // namespace tw
