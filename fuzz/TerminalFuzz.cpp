// Arbitrary received bytes through the scrollback, the escape-sequence interpreter and the
// view position: no crash, the buffer within its capacity, the visible lines within the
// layout, text laid out in runs exactly as one character at a time, and the colour view's
// memory of its rows calling a row unchanged only when it shows what it showed.
#include "FuzzTerminal.h"
#include "core/PaintedRows.h"
#include "core/Terminal.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

// What a row of the view shows, read the long way: every cell and the selected columns.
struct Shown {
    bool hasLine = false;
    std::vector<tw::ScreenCell> cells;
    tw::PaintedRows::Span selected;
    bool operator==(const Shown&) const = default;
};

Shown shownOn(const tw::PaintedRows::Row& row, int columns)
{
    Shown shown{row.line != nullptr, {}, row.selected};
    for (int c = 1; row.line && c <= columns; ++c)
        shown.cells.push_back(row.line->cell(c));
    return shown;
}

// Remembers every row of the view, then after the next change checks each verdict.
struct RowsCheck {
    tw::PaintedRows painted;
    std::vector<Shown> before;

    void check(const tw::Terminal& t)
    {
        const int rows = t.RowCount(), columns = t.ColumnCount();
        if (painted.rows() == rows && painted.columns() == columns)
            for (int k = 0; k < rows; ++k) {
                const auto row = tw::PaintedRows::rowOf(t, k, columns);
                if (painted.changed(k, row) != !(shownOn(row, columns) == before[std::size_t(k)]))
                    std::abort();
            }
        painted.forget(rows, columns);
        before.clear();
        for (int k = 0; k < rows; ++k) {
            const auto row = tw::PaintedRows::rowOf(t, k, columns);
            painted.remember(k, row);
            before.push_back(shownOn(row, columns));
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto [terminal, input] = tw::fuzz::terminalFrom(data, size);
    if (!terminal)
        return 0;
    tw::Terminal& t = *terminal;
    // Cut the input into writes at every byte 0xFE, scroll at 0xFD / 0xFC, and at 0xFB select
    // from the cell the next two bytes name to the one after them.
    std::size_t start = 0;
    RowsCheck rows;
    for (std::size_t i = 0; i <= input.size(); ++i) {
        if (i < input.size() && std::uint8_t(input[i]) < 0xFB)
            continue;
        t.WriteTerminal(input.substr(start, i - start));
        if (i < input.size() && input[i] == char(0xFD))
            t.ScrollPageUp();
        if (i < input.size() && input[i] == char(0xFC))
            t.ScrollPageDown();
        if (i < input.size() && input[i] == char(0xFB) && i + 4 < input.size()) {
            const std::string_view bytes = input;
            const auto at = [bytes](std::size_t k) { return int(std::int8_t(bytes[k])); };
            t.selectionStart({at(i + 1), at(i + 2)});
            t.selectionExtend({at(i + 3), at(i + 4)});
        }
        rows.check(t);
        start = i + 1;
        if (t.ScrollbackBuffer().size() > t.ScrollbackCapacity())
            std::abort();
        const int lines = t.model().LineCount();
        if (t.lastVisibleLine() > lines || (t.lastVisibleLine() >= 1 && t.firstVisibleLine() < 1))
            std::abort();
    }

    tw::ScreenModel runs, singles;
    for (tw::ScreenModel* m : {&runs, &singles}) {
        m->setColumnCount(t.ColumnCount());
        m->setRowCount(t.RowCount());
        m->setWordWrap(t.wordWrap());
        m->restart();
    }
    tw::AnsiParser runParser(runs), singleParser(singles);
    runParser.feed(input);
    for (const char ch : input)
        singleParser.feed(ch);
    if (runs.LineCount() != singles.LineCount() || runs.column() != singles.column() ||
        runs.row() != singles.row())
        std::abort();
    for (int l = 1; l <= runs.LineCount(); ++l)
        if (!(runs.line(l).cells == singles.line(l).cells))
            std::abort();
    return 0;
}
