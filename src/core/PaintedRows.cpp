#include "core/PaintedRows.h"

#include "core/Terminal.h"

#include <algorithm>

namespace tw {

namespace {
// The first `columns` cells of a line as they read, blanks past what was written.
template <typename Visit>
bool everyCell(const ScreenLine& line, int columns, Visit visit)
{
    const int written = std::clamp(line.written, 0, columns);
    for (int c = 0; c < written; ++c)
        if (!visit(c, line.cells[std::size_t(c)]))
            return false;
    static constexpr ScreenCell Blank{};
    for (int c = written; c < columns; ++c)
        if (!visit(c, Blank))
            return false;
    return true;
}
} // namespace

PaintedRows::Row PaintedRows::rowOf(const Terminal& terminal, int row, int columns)
{
    const ScreenModel& model = terminal.model();
    const int number = std::max(terminal.firstVisibleLine(), 1) + row;
    if (number > std::min(terminal.lastVisibleLine(), model.LineCount()))
        return {};
    return {&model.line(number), terminal.selection().columnsOn(number, columns)};
}

void PaintedRows::forget(int rows, int columns)
{
    rows_ = std::max(rows, 0);
    columns_ = std::clamp(columns, 0, ScreenLine::Width);
    drawn_.assign(std::size_t(rows_), Drawn{});
    cells_.assign(std::size_t(rows_) * std::size_t(columns_), ScreenCell{});
}

bool PaintedRows::changed(int row, const Row& now) const
{
    if (row < 0 || row >= rows_)
        return true;
    const Drawn& drawn = drawn_[std::size_t(row)];
    if (!drawn.known || drawn.hasLine != (now.line != nullptr) || drawn.selected != now.selected)
        return true;
    if (!now.line)
        return false;
    const ScreenCell* before = cells_.data() + std::size_t(row) * std::size_t(columns_);
    return !everyCell(*now.line, columns_, [before](int c, const ScreenCell& cell) { return before[c] == cell; });
}

void PaintedRows::remember(int row, const Row& now)
{
    if (row < 0 || row >= rows_)
        return;
    drawn_[std::size_t(row)] = {true, now.line != nullptr, now.selected};
    if (!now.line)
        return;
    ScreenCell* into = cells_.data() + std::size_t(row) * std::size_t(columns_);
    everyCell(*now.line, columns_, [into](int c, const ScreenCell& cell) {
        into[c] = cell;
        return true;
    });
}

} // namespace tw
