#pragma once
// Reading back with the long history on: the history's lines followed by the terminal's, read
// as one text numbered from 1, and the split of the colour view that scrolling back opens. The
// upper pane shows that text from a line of its own choosing and stays there while text goes on
// arriving; the live pane below keeps following the end of the terminal. Selecting and finding
// work across both. The terminal's own view position is never moved: it keeps following the end.
#include "core/HistoryIntake.h"
#include "core/HistoryStore.h"
#include "core/Terminal.h"
#include "core/TerminalSelection.h"
#include "core/ViewRows.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class ReadBack {
public:
    ReadBack(Terminal& terminal, HistoryStore& store, HistoryIntake& intake);
    ReadBack(const ReadBack&) = delete;
    ReadBack& operator=(const ReadBack&) = delete;

    // Off, the view is joined and nothing is selected or searched.
    void setEnabled(bool on);
    bool enabled() const { return enabled_; }
    bool split() const { return split_; }

    // The rows of the two panes while split; the upper pane's rows are also what a page is.
    void setPaneRows(int upper, int live);
    int upperRows() const { return upperRows_; }

    // The terminal let text go (its trim callback): the history takes it. While the player
    // reads back, selects or searches, it is laid out at once so that nothing moves.
    void trimmed(std::string_view older, std::string_view newer);
    // Lays out at least that many bytes of the text waiting for the history (while the game is
    // quiet), or all of it.
    void digest(std::size_t bytes);
    std::size_t waiting() const { return intake_.waiting(); }

    // Lines of the whole text: the history's, then the terminal's.
    long lineCount() const;
    long historyLines() const { return long(store_.size()); }
    // The first line of the upper pane.
    long top() const { return top_; }

    // Scrolling back splits the view; scrolling down to the end (or End, or the divider's
    // close mark) joins it again.
    void pageUp();
    void pageDown();
    void scrollLines(int delta);
    // The scroll bar: the upper pane's first line, 1 to the scroll bar's maximum (joined).
    void scrollTo(long line);
    void toStart();
    void join();
    Terminal::ScrollBarState scrollBar() const;

    // The selection, in lines of the whole text.
    const TerminalSelection& selection() const { return selection_; }
    void clearSelection();
    std::string selectedText() const;
    // The selected lines' cells with the selected columns, for copying with colours.
    struct SelectedLine {
        ScreenLine cells;
        int first = 1, last = 0; // columns, inclusive
        bool modern = false;
    };
    std::vector<SelectedLine> selectedLines() const;

    // Finding: every occurrence on screen is marked; findNext goes to the next one further
    // back (older) or further on, wrapping at either end, selects it and brings it into view.
    // The text is the game's bytes as the lines hold them (UTF-8 in modern mode).
    void setSearch(std::string what, bool caseSensitive);
    bool findNext(bool older);
    const std::string& searchText() const { return what_; }

    // The two views: the upper pane, and the live pane (the whole view while joined).
    ViewRows& upper() { return upper_; }
    ViewRows& live() { return live_; }

    // Called when the split or the upper pane's position changed.
    std::function<void()> changed;

    // The colours that mark an occurrence found.
    static constexpr CellColour FoundBackground = RgbColour | 0xFFFF00, FoundForeground = RgbColour;

private:
    // A pane: the upper one shows the whole text from the line the player scrolled to, the
    // live one the terminal's last lines. The wheel in either scrolls back.
    class Pane : public ViewRows {
    public:
        Pane(ReadBack& r, bool upper) : r_(r), upper_(upper) {}
        PaintedRows::Row row(int row, int rows, int columns) const override;
        bool moreBelow() const override { return false; }
        void scrollLines(int delta) override { r_.scrollLines(delta); }
        void scrollToEnd() override { r_.join(); }
        void selectionStart(CellPoint at, int rows) override;
        void selectionExtend(CellPoint to, int rows) override;
        void selectWord(CellPoint at, int rows) override;
        std::string selectedText() const override { return r_.selectedText(); }

    private:
        // The line of the whole text on the pane's first row, and the cell under a point.
        long firstLine(int rows) const;
        CellPosition cellOf(CellPoint at, int rows) const;

        ReadBack& r_;
        bool upper_;
    };

    // Lines that went beyond the history's limit move everything up.
    void followDrops();
    void digestAll();
    // The upper pane's resting place: its last line just above the live pane's first.
    long joinedTop() const;
    void setTop(long top);
    void show(bool split, long top);
    // A line of the whole text, into slot when it has to be made (history lines, and lines
    // with occurrences marked).
    const ScreenLine* lineAt(long line, ScreenLine& slot) const;
    bool lineModern(long line) const;
    PaintedRows::Row rowFor(long line, int row, int columns) const;
    void selectWordAt(CellPosition cell);
    bool searching() const { return !what_.empty(); }
    // Occurrences within the terminal's lines, as (line of the whole text, column).
    std::optional<CellPosition> findInTerminal(bool older, CellPosition from) const;
    std::optional<CellPosition> findFrom(bool older, CellPosition from) const;
    void markFound(ScreenLine& line, int columns) const;

    Terminal& terminal_;
    HistoryStore& store_;
    HistoryIntake& intake_;
    Pane upper_{*this, true};
    Pane live_{*this, false};
    bool enabled_ = false;
    bool split_ = false;
    long top_ = 1;
    int upperRows_ = 16;
    int liveRows_ = 8;
    std::uint64_t seenDropped_ = 0;
    TerminalSelection selection_;
    std::string what_;
    std::u32string whatCells_;
    bool caseSensitive_ = false;
    mutable std::vector<ScreenLine> slots_; // the upper pane's rows, then the live pane's
};

} // namespace tw
