// The long history: what the scrollback lets go is kept as the terminal showed it, within a
// line limit; reading back splits the view and the upper pane stays put while text arrives;
// finding and copying reach across the history and the scrollback; the saved text.
#include "core/ColourText.h"
#include "core/HistoryIntake.h"
#include "core/HistoryStore.h"
#include "core/ReadBack.h"
#include "core/Session.h"
#include "script/CommandBox.h"
#include "support/FakeSocketPort.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

ScreenLine rowOf(const std::string& text, CellColour fg = 7, CellColour bg = 0)
{
    ScreenLine line;
    for (char c : text)
        line.cells[std::size_t(line.written++)] = {bg, fg, char32_t(static_cast<unsigned char>(c))};
    return line;
}

std::string textOf(const ScreenLine& line)
{
    std::string s;
    for (int c = 1; c <= line.written; ++c)
        s += char(line.cell(c).character);
    return s;
}

// A coloured line as a game sends it: "Line 0042" in green, then " ok" in the default colours.
std::string gameLine(int i)
{
    char text[64];
    std::snprintf(text, sizeof text, "\x1b[1;32mLine %04d\x1b[0m ok\r\n", i);
    return text;
}

TEST(HistoryStore, KeepsCharactersColoursAndTheLimit)
{
    HistoryStore store;
    ScreenLine row = rowOf("ab  cd   ");
    row.cells[2].background = 4; // a red blank in the middle stays, the default blanks at the end go
    row.cells[4].foreground = 14;
    store.append(row, 80, false, false);
    ScreenLine wide;
    wide.cells[0] = {0, 7, 0x4F60};
    wide.cells[1] = {0, 7, 0x4F60 | ScreenCell::RightHalf};
    wide.cells[2] = {0, 3, U'\u00e9'};
    wide.written = 3;
    store.append(wide, 80, true, true);
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(store.text(0), "ab  cd");
    EXPECT_EQ(store.text(1), "\xe4\xbd\xa0\xc3\xa9");
    EXPECT_TRUE(store.continues(1));
    EXPECT_FALSE(store.continues(0));
    ScreenLine back;
    store.cells(0, back);
    EXPECT_EQ(back.written, 6);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(back.cells[std::size_t(c)], row.cells[std::size_t(c)]) << c;
    store.cells(1, back);
    EXPECT_EQ(back.written, 3);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(back.cells[std::size_t(c)], wide.cells[std::size_t(c)]) << c;
    EXPECT_EQ(store.cellOf(1, 3), 2);

    // Past the limit the oldest lines go, and the arenas do not grow without end.
    store.setLimit(1000);
    EXPECT_EQ(store.size(), 2u);
    const auto add = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            store.append(rowOf("line " + std::to_string(i), 2), 80, false, false);
    };
    add(0, 10000);
    EXPECT_EQ(store.size(), 1000u);
    EXPECT_EQ(store.dropped(), 9002u);
    EXPECT_EQ(store.text(0), "line 9000");
    EXPECT_EQ(store.text(999), "line 9999");
    const std::size_t held = store.bytesHeld();
    add(10000, 30000);
    EXPECT_LE(store.bytesHeld(), held);
    store.setLimit(10);
    EXPECT_EQ(store.text(0), "line 29990");
}

TEST(HistoryStore, FindsForwardAndBackward)
{
    HistoryStore store;
    const char* lines[] = {"The Goblin hits", "you. goblin", "", "GOBLIN", "lin at the end"};
    for (const char* l : lines)
        store.append(rowOf(l), 80, false, false);
    store.append(rowOf("a gob"), 80, false, true); // continues in the next row
    store.append(rowOf("lin joined"), 80, false, false);
    for (const char* l : {"xbc", "ab", "cz"})
        store.append(rowOf(l), 80, false, false);
    using Hit = HistoryStore::Hit;
    struct Row {
        const char* what;
        bool caseSensitive, forward;
        std::size_t line, offset;
        std::optional<Hit> found;
    } rows[] = {
        {"goblin", false, true, 0, 0, Hit{0, 4, 6}},
        {"goblin", true, true, 0, 0, Hit{1, 5, 6}},
        {"goblin", false, true, 0, 5, Hit{1, 5, 6}},
        {"goblin", false, true, 1, 6, Hit{3, 0, 6}},
        {"goblin", false, true, 3, 1, Hit{5, 2, 6}},  // across the row the line broke into
        {"goblin", false, false, 5, 0, Hit{3, 0, 6}},
        {"goblin", false, false, 99, 0, Hit{5, 2, 6}},
        {"goblin", false, false, 0, 4, std::nullopt},
        {"hitsyou", false, true, 0, 0, std::nullopt}, // never across a line end
        {"GOBLIN", true, false, 3, 0, std::nullopt},
        {"", false, true, 0, 0, std::nullopt},
        {"Y", false, true, 0, 0, Hit{1, 0, 1}},
        {"bc", false, false, 99, 0, Hit{7, 1, 2}}, // back past one that runs across a line end
    };
    for (const Row& r : rows) {
        const auto got = r.forward ? store.findForward(r.what, r.caseSensitive, r.line, r.offset)
                                   : store.findBackward(r.what, r.caseSensitive, r.line, r.offset);
        EXPECT_EQ(got, r.found) << r.what << " " << r.forward << " " << r.line << ":" << r.offset;
    }
}

struct LongHistory : ::testing::Test {
    test::RecordingHost host;
    test::FakeSocketPort socket;
    Session session{host, socket};
    Terminal& terminal = session.terminal;
    ReadBack& readBack = session.readBack;

    void SetUp() override
    {
        terminal.replaceBuffer(8000);
        terminal.setColumnCount(80);
        terminal.setRowCount(24);
        session.setLongHistory(true);
        readBack.setPaneRows(15, 8);
    }
    void write(int from, int to)
    {
        for (int i = from; i <= to; ++i)
            session.WriteTerminal(gameLine(i));
    }
    // The text of a line of the whole text (history, then scrollback).
    std::string line(long n)
    {
        const long history = readBack.historyLines();
        if (n <= history)
            return std::string(session.textHistory.text(std::size_t(n - 1)));
        return textOf(terminal.model().line(int(n - history)));
    }
    std::string upperRow(int k) { return textOf(*readBack.upper().row(k, 15, 80).line); }
};

TEST_F(LongHistory, WhatTheScrollbackLetsGoArrivesWholeAndInOrder)
{
    write(1, 2000);
    // The receive path only queued it; laying out waits.
    EXPECT_GT(readBack.waiting(), 0u);
    readBack.digest(std::string::npos);
    EXPECT_EQ(readBack.waiting(), 0u);
    ASSERT_GT(readBack.historyLines(), 1500);
    // Every line once, in order, the history running on into the scrollback.
    for (long n = 1; n <= 2000; ++n)
        ASSERT_EQ(line(n), gameLine(int(n)).substr(7, 9) + " ok") << n;
    // With the terminal's colours.
    const auto runs = session.textHistory.runs(0);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (HistoryStore::Run{0, 10, 0}));
    EXPECT_EQ(runs[1], (HistoryStore::Run{9, 7, 0}));
}

struct Box : CommandBox {
    bool allSelected = false;
    std::string text() const override { return {}; }
    void setText(const std::string&) override {}
    void selectAll() override { allSelected = true; }
    void caretToEnd() override {}
    void insert(const std::string&) override {}
};

TEST(HistoryIntake, ReadsTheOlderAndNewerTextAsOneAndModernLinesAsUtf8)
{
    HistoryStore store;
    HistoryIntake intake(store);
    // A sequence cut between the two parts is still a sequence, not text.
    intake.take("Line A\r\nLine \x1b[1;3", "3mB\r\n", {80, true, false});
    intake.take("caf\xc3\xa9 \xe4\xbd\xa0!", {}, {80, true, true});
    intake.digest();
    ASSERT_EQ(store.size(), 3u);
    EXPECT_EQ(store.text(1), "Line B");
    EXPECT_EQ(store.runs(1).back(), (HistoryStore::Run{5, 14, 0}));
    EXPECT_EQ(store.text(2), "caf\xc3\xa9 \xe4\xbd\xa0!");
    EXPECT_EQ(store.cellOf(2, 9), 7);
}

TEST_F(LongHistory, ScrollingBackSplitsAndTheUpperPaneStaysWhileTextArrives)
{
    Box box;
    write(1, 10);
    // Nothing above the view yet: nothing to read back.
    session.ProcessCmdKey(box, vk::PageUp, {});
    EXPECT_FALSE(readBack.split());
    write(11, 600);
    session.ProcessCmdKey(box, vk::PageUp, {});
    ASSERT_TRUE(readBack.split());
    // The terminal's own view keeps following the end for the live pane. The last line is the
    // empty one the cursor stands on.
    EXPECT_EQ(terminal.TopLine(), 0);
    EXPECT_EQ(readBack.lineCount(), 601);
    EXPECT_EQ(readBack.top(), 601 - 8 - 15 + 1 - 15);
    EXPECT_EQ(upperRow(0), "Line 0564 ok");
    write(601, 1500); // the scrollback is cut many times over
    EXPECT_EQ(upperRow(0), "Line 0564 ok");
    EXPECT_EQ(upperRow(14), "Line 0578 ok");
    EXPECT_EQ(textOf(*readBack.live().row(6, 8, 80).line), "Line 1500 ok");
    ASSERT_NE(readBack.live().row(7, 8, 80).line, nullptr) << "the last line, where the prompt stands";
    EXPECT_EQ(readBack.scrollBar(), (Terminal::ScrollBarState{1501 - 22, 15, 564}));

    session.ProcessCmdKey(box, vk::Home, {});
    EXPECT_EQ(upperRow(0), "Line 0001 ok");
    EXPECT_TRUE(box.allSelected);
    readBack.scrollLines(3);
    EXPECT_EQ(upperRow(0), "Line 0004 ok");
    session.ProcessCmdKey(box, vk::End, {});
    EXPECT_FALSE(readBack.split());

    // The wheel splits too, and scrolling down to the end joins again; so does the scroll bar.
    readBack.scrollLines(-3);
    EXPECT_EQ(readBack.top(), 1501 - 22 - 3);
    readBack.scrollLines(2);
    EXPECT_TRUE(readBack.split());
    readBack.scrollLines(1);
    EXPECT_FALSE(readBack.split());
    readBack.scrollTo(40);
    EXPECT_EQ(upperRow(0), "Line 0040 ok");
    session.ProcessCmdKey(box, vk::PageDown, {});
    EXPECT_EQ(readBack.top(), 55);
    readBack.scrollTo(readBack.scrollBar().maximum);
    EXPECT_FALSE(readBack.split());
}

TEST_F(LongHistory, TheOldestLinesGoAndTheUpperPaneMovesWithThem)
{
    session.setLongHistory(true, 1000);
    write(1, 1200);
    // A selection from line 100 to 500; its start goes with the oldest lines.
    readBack.scrollTo(100);
    readBack.upper().selectionStart({1, 1}, 15);
    readBack.scrollTo(500);
    readBack.upper().selectionExtend({4, 1}, 15);
    const std::string shown = upperRow(0);
    write(1201, 1400);
    EXPECT_LE(readBack.historyLines(), 1000);
    EXPECT_EQ(upperRow(0), shown);
    ASSERT_FALSE(readBack.selection().empty());
    EXPECT_EQ(readBack.selection().first(), (CellPosition{1, 1}));
    EXPECT_EQ(readBack.selectedText().substr(0, 12), line(1));
    EXPECT_EQ(readBack.selection().last().line, readBack.top());
    EXPECT_TRUE(readBack.selectedText().ends_with(line(readBack.top() - 1) + "\nLine"));
}

TEST_F(LongHistory, SwitchedOffThePartsPagingIsUntouched)
{
    Box box;
    write(1, 600);
    readBack.digest(std::string::npos);
    ASSERT_GT(readBack.historyLines(), 0);
    session.setLongHistory(false);
    EXPECT_EQ(readBack.historyLines(), 0);
    EXPECT_EQ(readBack.waiting(), 0u);
    const int lines = terminal.model().LineCount();
    session.ProcessCmdKey(box, vk::PageUp, {});
    EXPECT_FALSE(readBack.split());
    EXPECT_EQ(terminal.TopLine(), lines - 24 - 23);
    write(601, 610); // nothing is taken any more
    EXPECT_EQ(readBack.waiting(), 0u);
}

TEST_F(LongHistory, FindsAcrossHistoryAndScrollbackAndMarksWhatIsShown)
{
    write(1, 400);
    session.WriteTerminal("a Dragon and a dragon\r\n");
    write(401, 1200);
    session.WriteTerminal("the DRAGON\r\n");
    readBack.setSearch("dragon", false);
    struct Step {
        bool older;
        long line;
        int column;
    } steps[] = {{true, 1202, 5}, {true, 401, 16}, {true, 401, 3}, {true, 1202, 5}, {false, 401, 3}};
    for (const Step& s : steps) {
        ASSERT_TRUE(readBack.findNext(s.older));
        EXPECT_EQ(readBack.selection().first(), (CellPosition{int(s.line), s.column})) << s.line;
        EXPECT_EQ(readBack.selectedText(), s.line == 1202 ? "DRAGON" : s.column == 3 ? "Dragon" : "dragon");
    }
    // The occurrence is brought into the upper pane, every occurrence on it marked.
    ASSERT_TRUE(readBack.split());
    const PaintedRows::Row row = readBack.upper().row(int(401 - readBack.top()), 15, 80);
    ASSERT_NE(row.line, nullptr);
    EXPECT_EQ(row.line->cell(3).background, ReadBack::FoundBackground);
    EXPECT_EQ(row.line->cell(16).background, ReadBack::FoundBackground);
    EXPECT_EQ(row.line->cell(10).background, 0u);
    EXPECT_EQ(row.line->cell(2).background, 0u);
    EXPECT_EQ(row.line->cell(8).background, ReadBack::FoundBackground);
    EXPECT_EQ(readBack.top(), 401 - 15 / 2) << "the occurrence in the middle of the pane";
    EXPECT_EQ(row.selected, (PaintedRows::Span{{3, 8}}));

    readBack.setSearch("DRAGON", true);
    ASSERT_TRUE(readBack.findNext(false));
    EXPECT_EQ(readBack.selection().first(), (CellPosition{1202, 5}));
    // A line of the scrollback is marked as a line of the history is.
    const PaintedRows::Row shown = readBack.upper().row(int(1202 - readBack.top()), 15, 80);
    ASSERT_NE(shown.line, nullptr);
    EXPECT_EQ(shown.line->cell(5).background, ReadBack::FoundBackground);
    // From the start, the very first cell counts.
    readBack.setSearch("line 0001 ", false);
    readBack.clearSelection();
    ASSERT_TRUE(readBack.findNext(false));
    EXPECT_EQ(readBack.selection().first(), (CellPosition{1, 1}));
    readBack.setSearch("wyvern", false);
    EXPECT_FALSE(readBack.findNext(true));
}

TEST_F(LongHistory, SelectsAcrossBothPanesAndCopiesWithColours)
{
    write(1, 700);
    readBack.scrollTo(100);
    readBack.upper().selectionStart({6, 15}, 15);
    readBack.live().selectionExtend({4, 1}, 8);
    const std::vector<ReadBack::SelectedLine> lines = readBack.selectedLines();
    ASSERT_EQ(lines.size(), std::size_t(701 - 8 + 1 - 114 + 1));
    const std::string text = readBack.selectedText();
    EXPECT_EQ(text.substr(0, 20), "0114 ok\nLine 0115 ok");
    EXPECT_EQ(text.substr(text.size() - 12), "0693 ok\nLine");

    // A modern server's line reads as UTF-8, a wide character once.
    terminal.setModern(true);
    session.WriteTerminal("caf\xc3\xa9 \xe4\xbd\xa0!\r\n");
    readBack.live().selectionStart({1, 7}, 8);
    readBack.live().selectionExtend({7, 7}, 8);
    EXPECT_EQ(readBack.selectedText(), "caf\xc3\xa9 \xe4\xbd\xa0");

    const Palette palette;
    ColourText html(ColourText::Form::Html, palette);
    const ReadBack::SelectedLine& first = lines.front();
    html.add(first.cells, first.first, first.last, first.modern, true);
    EXPECT_EQ(html.finish(), "<pre style=\"font-family:monospace;background:#000000\">"
                             "<span style=\"color:#00ff00;background:#000000\">0114</span>"
                             "<span style=\"color:#808080;background:#000000\"> ok</span>\n</pre>");
}

TEST_F(LongHistory, TheWholeTextSavedAsTextAndHtml)
{
    terminal.setColumnCount(10);
    write(1, 300);
    session.WriteTerminal("<b>&amp; \xb0\x1b[1;7m!\x1b[0m\r\n"); // breaks into rows; \xb0 is a shade
    const std::string text = session.wholeText(false);
    EXPECT_EQ(text.substr(0, 26), "Line 0001 ok\nLine 0002 ok\n");
    EXPECT_NE(text.find("Line 0299 ok\nLine 0300 ok\n<b>&amp; \u2591!\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 301);
    const std::string html = session.wholeText(true);
    EXPECT_NE(html.find(".f10{color:#00ff00}"), std::string::npos);
    EXPECT_NE(html.find("<span class=\"f10 b0\">Line 0300</span><span class=\"f7 b0\"> ok</span>\n"),
              std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;&amp;amp; \u2591</span><span class=\"f0 b15\">!</span>\n</pre>\n</body>\n</html>\n"),
              std::string::npos);
}

} // namespace
} // namespace tw
