// Which rows of the colour view need drawing again: only those whose visible cells, colours,
// selection or line changed since they were drawn.
#include "core/PaintedRows.h"
#include "core/Terminal.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

ScreenLine lineOf(const std::string& text, CellColour foreground = 7)
{
    ScreenLine line;
    for (char c : text)
        line.cells[std::size_t(line.written++)] = ScreenCell{0, foreground, char32_t(c)};
    return line;
}

TEST(PaintedRows, ARowChangesOnlyWithWhatItShows)
{
    PaintedRows painted;
    painted.forget(2, 10);
    const ScreenLine hello = lineOf("hello");
    const PaintedRows::Row row{&hello, {}};
    EXPECT_TRUE(painted.changed(0, row)) << "nothing drawn yet";
    painted.remember(0, row);
    EXPECT_FALSE(painted.changed(0, row));
    EXPECT_TRUE(painted.changed(1, row));

    // Blanks past what was written read the same whether written or not, and nothing past
    // the view's columns counts.
    ScreenLine padded = lineOf("hello     xyz");
    EXPECT_FALSE(painted.changed(0, {&padded, {}}));
    ScreenLine stale = lineOf("hellothere");
    stale.written = 5;
    EXPECT_FALSE(painted.changed(0, {&stale, {}}));

    const ScreenLine other = lineOf("hellO");
    EXPECT_TRUE(painted.changed(0, {&other, {}}));
    const ScreenLine shorter = lineOf("hell");
    EXPECT_TRUE(painted.changed(0, {&shorter, {}})) << "a cell now blank";
    ScreenLine cleared = lineOf("hello");
    cleared.written = 0;
    EXPECT_TRUE(painted.changed(0, {&cleared, {}}));
    const ScreenLine empty = lineOf("");
    painted.remember(1, {&cleared, {}});
    EXPECT_FALSE(painted.changed(1, {&empty, {}})) << "nothing of a cleared line counts";
    // Remembering one row leaves the next as it was.
    const ScreenLine x = lineOf("x");
    painted.remember(1, {&x, {}});
    painted.remember(0, {&shorter, {}});
    EXPECT_FALSE(painted.changed(1, {&x, {}}));
    painted.remember(0, row);
    const ScreenLine green = lineOf("hello", 2);
    EXPECT_TRUE(painted.changed(0, {&green, {}})) << "a colour";
    ScreenLine onRed = lineOf("hello");
    onRed.cells[0].background = 4;
    EXPECT_TRUE(painted.changed(0, {&onRed, {}})) << "a background";
    EXPECT_TRUE(painted.changed(0, {&hello, std::pair{2, 3}})) << "a selection";
    EXPECT_TRUE(painted.changed(0, {})) << "no line any more";

    painted.remember(1, {});
    EXPECT_FALSE(painted.changed(1, {}));
    EXPECT_TRUE(painted.changed(1, row));
    painted.remember(1, {&hello, std::pair{2, 3}});
    EXPECT_FALSE(painted.changed(1, {&hello, std::pair{2, 3}}));
    EXPECT_TRUE(painted.changed(1, {&hello, std::pair{2, 4}}));

    painted.forget(2, 10);
    EXPECT_TRUE(painted.changed(0, row)) << "forgotten";
    // Rows outside the view always read as changed and are never stored.
    painted.remember(-1, row);
    painted.remember(2, row);
    EXPECT_TRUE(painted.changed(2, row));
    EXPECT_TRUE(painted.changed(-1, row));

    // A view shorter than one row has no rows at all.
    for (const int rows : {0, -3}) {
        painted.forget(rows, 10);
        EXPECT_EQ(painted.rows(), 0);
        painted.remember(0, row);
        EXPECT_TRUE(painted.changed(0, row));
    }
}

TEST(PaintedRows, TheRowsOfAViewFollowTheVisibleLinesAndTheSelection)
{
    Terminal terminal;
    terminal.setColumnCount(10);
    terminal.setRowCount(3);
    terminal.WriteTerminal("one\rtwo\rthree\rfour");
    ASSERT_EQ(terminal.firstVisibleLine(), 2);
    const auto row0 = PaintedRows::rowOf(terminal, 0, 10);
    ASSERT_NE(row0.line, nullptr);
    EXPECT_EQ(row0.line, &terminal.model().line(2));
    EXPECT_EQ(PaintedRows::rowOf(terminal, 2, 10).line, &terminal.model().line(4));
    EXPECT_EQ(PaintedRows::rowOf(terminal, 3, 10).line, nullptr) << "below the last line";

    terminal.selectionStart({2, 1});
    terminal.selectionExtend({3, 2});
    EXPECT_EQ(PaintedRows::rowOf(terminal, 0, 10).selected, (std::pair{2, 10}));
    EXPECT_EQ(PaintedRows::rowOf(terminal, 1, 10).selected, (std::pair{1, 3}));
    EXPECT_EQ(PaintedRows::rowOf(terminal, 1, 2).selected, (std::pair{1, 2})) << "cut at the view's edge";
    EXPECT_FALSE(PaintedRows::rowOf(terminal, 2, 10).selected);

    terminal.scrollTo(1);
    EXPECT_EQ(PaintedRows::rowOf(terminal, 0, 10).line, &terminal.model().line(1));
}

} // namespace
} // namespace tw
