// Arbitrary received bytes through the scrollback, the escape-sequence interpreter and the
// view position: no crash, the buffer within its capacity, the visible lines within the
// layout, and text laid out in runs exactly as one character at a time.
#include "FuzzTerminal.h"
#include "core/Terminal.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto [terminal, input] = tw::fuzz::terminalFrom(data, size);
    if (!terminal)
        return 0;
    tw::Terminal& t = *terminal;
    // Cut the input into writes at every byte 0xFE, and scroll at 0xFD / 0xFC.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= input.size(); ++i) {
        if (i < input.size() && std::uint8_t(input[i]) < 0xFC)
            continue;
        t.WriteTerminal(input.substr(start, i - start));
        if (i < input.size() && input[i] == char(0xFD))
            t.ScrollPageUp();
        if (i < input.size() && input[i] == char(0xFC))
            t.ScrollPageDown();
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
