#pragma once
// The terminal: the scrollback buffer that holds everything shown, the screen model laid out
// from it, and the view position. Painting belongs to the window; it is told after each
// layout through the change callback.
#include "core/ScreenModel.h"
#include "core/TerminalSelection.h"
#include "core/ViewZoom.h"
#include "net/AnsiParser.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tw {

class Terminal {
public:
    static constexpr std::size_t InitialCapacity = 16001;
    // Room kept for the colour reset that starts the buffer after a cut.
    static constexpr std::size_t ResetLength = 10;
    static constexpr int PageLines = 24;
    enum Scroll { ScrollNone = 0, ScrollUp = 1, ScrollDown = 2 };

    explicit Terminal(std::size_t capacity = InitialCapacity);
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    // Appends text to the scrollback (cutting old text to stay within the capacity) and
    // lays the view out again. An empty text only lays out.
    void WriteTerminal(std::string_view text);
    // Rebuilds the screen model from the whole buffer and works out the visible lines;
    // does nothing while the colour view is off or after release().
    void RenderTerminal();

    void ScrollPageUp();
    void ScrollPageDown();
    void ScrollToEnd();
    void ScrollToStart();

    // Scrolling by lines (the mouse wheel) and to a line (the scroll bar). A view that reaches
    // the last page follows the end again; a view whose text all fits stays following it.
    void scrollLines(int delta);
    void scrollTo(int firstLine);
    // Where the scroll bar stands: the first visible line from 1 to maximum, maximum when the
    // view follows the end; page is the number of rows.
    struct ScrollBarState {
        int maximum = 1;
        int page = 0;
        int value = 1;
        bool operator==(const ScrollBarState&) const = default;
    };
    ScrollBarState scrollBar() const;
    // Text has arrived below what a scrolled-back view shows.
    bool moreBelow() const;

    // Selecting with the mouse, in cells of the view (column and visible row from 1; a drag
    // may leave the view, the selection then stops at its edge).
    void selectionStart(CellPoint at);
    void selectionExtend(CellPoint to);
    void selectWord(CellPoint at);
    void clearSelection() { selection_.clear(); }
    const TerminalSelection& selection() const { return selection_; }
    std::string selectedText() const { return selection_.text(screen_); }

    // Replaces the buffer with an empty one of the new capacity and lays out again.
    void replaceBuffer(std::size_t newCapacity);
    // Frees the buffer as the program closes; later writes are ignored.
    void release();
    bool released() const { return released_; }

    // The column and row counts for a picture of the given size in pixels: 8 x 12 pixel
    // cells, and all 160 columns once the picture is wider than 1287 pixels.
    static int columnCountForWidth(int pixels) { return ViewZoom::columnCountForWidth(pixels, CellSize{}); }
    static int rowCountForHeight(int pixels) { return ViewZoom::rowCountForHeight(pixels, CellSize{}); }

    // Layout inputs; the caller lays out again (WriteTerminal of "") when it is done.
    // A new column count lays the lines out anew, so a selection no longer means the same text.
    void setColumnCount(int columns);
    void setRowCount(int rows) { screen_.setRowCount(rows); }
    void setWordWrap(bool on);
    void setMirrorOn(bool on) { mirrorOn_ = on; }
    // Modern Server Mode's text: UTF-8, more colours and wrapping at word boundaries (see
    // AnsiParser::setModern and ScreenModel::setModern). The rules only: the text held is read
    // by them as it is.
    void setModern(bool on)
    {
        screen_.setModern(on);
        parser_.setModern(on);
    }
    // The switch in the middle of a session: the scrollback is rewritten once for the new rules,
    // so that what it shows keeps its look (see ScrollbackConversion), then the rules change.
    void switchModern(bool on, const Palette& palette);
    bool modern() const { return screen_.modern(); }
    int ColumnCount() const { return screen_.ColumnCount(); }
    int RowCount() const { return screen_.RowCount(); }
    bool wordWrap() const { return screen_.wordWrap(); }
    bool MirrorOn() const { return mirrorOn_; }

    // Called after every layout so that the window can schedule a repaint.
    void setChangeCallback(std::function<void()> callback) { changed_ = std::move(callback); }
    // Called with the text that leaves the buffer before the terminal lays out what remains:
    // the front of the buffer that a cut drops (or all of it when the buffer is replaced),
    // followed by the front of the new text that went with it, if any.
    using TrimCallback = std::function<void(std::string_view older, std::string_view newer)>;
    void setTrimCallback(TrimCallback callback) { trimmed_ = std::move(callback); }

    const std::string& ScrollbackBuffer() const { return buffer_; }
    std::size_t ScrollbackCapacity() const { return capacity_; }
    const ScreenModel& model() const { return screen_; }

    // The lines the view shows, from the last layout; empty when last < first.
    int firstVisibleLine() const { return firstVisible_; }
    int lastVisibleLine() const { return lastVisible_; }
    int TopLine() const { return topLine_; }
    int ScrollRequest() const { return scrollRequest_; }
    bool atBottom() const { return atBottom_; }

private:
    // Lays the buffer out and works out the visible lines; false while there is nothing to
    // lay out (the colour view off, or after release()).
    bool layOut();
    void applyScrollRequest();
    void computeVisibleRange();
    void followEndAgain();
    CellPosition cellOfView(CellPoint at) const;

    std::string buffer_;
    std::size_t capacity_;
    bool released_ = false;
    bool mirrorOn_ = true;

    ScreenModel screen_;
    AnsiParser parser_{screen_};

    int topLine_ = 0;
    int previousTopLine_ = 0;
    bool atBottom_ = false;
    int scrollRequest_ = ScrollNone;
    int firstVisible_ = 1;
    int lastVisible_ = 0;
    // Text arrived while the view was scrolled back; cleared once it follows the end.
    bool unseenBelow_ = false;
    TerminalSelection selection_;

    std::function<void()> changed_;
    TrimCallback trimmed_;
};

} // namespace tw
