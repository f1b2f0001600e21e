#include "core/TerminalSelection.h"

#include <algorithm>

namespace tw {

bool isWordByte(char32_t b)
{
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') ||
           b == '_' || b == '-' || b >= 128;
}

std::pair<int, int> wordAt(const ScreenLine& line, int columnCount, int column)
{
    columnCount = std::clamp(columnCount, 1, ScreenLine::Width);
    column = std::clamp(column, 1, columnCount);
    if (!isWordByte(line.cell(column).character))
        return {column, column};
    int first = column, last = column;
    while (first > 1 && isWordByte(line.cell(first - 1).character))
        --first;
    while (last < columnCount && isWordByte(line.cell(last + 1).character))
        ++last;
    return {first, last};
}

void TerminalSelection::start(CellPosition at)
{
    anchor_ = at;
    head_ = at;
    selected_ = false;
}

void TerminalSelection::extend(CellPosition to)
{
    if (!anchor_)
        return;
    head_ = to;
    selected_ = selected_ || to != *anchor_;
}

void TerminalSelection::select(CellPosition from, CellPosition to)
{
    anchor_ = from;
    head_ = to;
    selected_ = true;
}

std::optional<std::pair<int, int>> TerminalSelection::columnsOn(int line, int columnCount) const
{
    if (empty())
        return std::nullopt;
    const CellPosition a = first(), b = last();
    if (line < a.line || line > b.line)
        return std::nullopt;
    const int from = line == a.line ? std::max(a.column, 1) : 1;
    const int to = line == b.line ? std::min(b.column, columnCount) : columnCount;
    if (from > to)
        return std::nullopt;
    return std::pair{from, to};
}

std::string TerminalSelection::text(const ScreenModel& model) const
{
    std::string out;
    if (empty())
        return out;
    const int lastLine = std::min(last().line, model.LineCount());
    for (int number = std::max(first().line, 1); number <= lastLine; ++number) {
        if (number > first().line)
            out += '\n';
        const auto columns = columnsOn(number, model.ColumnCount());
        if (!columns)
            continue;
        const ScreenLine& line = model.line(number);
        int end = columns->second;
        while (end >= columns->first && line.cell(end).character == ' ')
            --end;
        for (int c = columns->first; c <= end; ++c)
            model.appendText(out, line.cell(c));
    }
    return out;
}

} // namespace tw
