#include "core/Terminal.h"

#include "core/ScrollbackConversion.h"
#include "core/ScrollbackCut.h"
#include "net/AnsiColour.h"

#include <algorithm>

namespace tw {

namespace {
// A buffer must hold the colour reset and at least one character beside it.
std::size_t usableCapacity(std::size_t capacity)
{
    return std::max(capacity, Terminal::ResetLength + 1);
}
} // namespace

Terminal::Terminal(std::size_t capacity) : capacity_(usableCapacity(capacity))
{
    buffer_.reserve(capacity_);
}

void Terminal::WriteTerminal(std::string_view text)
{
    if (released_)
        return;
    const std::size_t length = text.size();
    const std::size_t room = capacity_ - ResetLength;
    const std::string& reset = defaultColourSgr();
    if (length == 0) {
        // Only a redraw.
    } else if (length > room) {
        // The new text alone fills the buffer: keep its end and follow it.
        topLine_ = 0;
        atBottom_ = false;
        selection_.clear();
        const std::size_t kept = keptTextStart(text, {}, length - room, modern());
        if (trimmed_)
            trimmed_(buffer_, text.substr(0, kept));
        buffer_.assign(reset);
        buffer_.append(text.substr(kept));
    } else if (buffer_.size() + length >= room) {
        // Drop the older half. The colours set in it are gone, so the kept text starts from
        // light grey on black. Should the new text not fit beside the newer half, more of the
        // old text goes: the newest text is never the part that is lost. The kept text begins
        // with a whole line, or at least never inside an escape sequence.
        const std::size_t current = buffer_.size();
        std::size_t drop = current / 2;
        const std::size_t assembled = ResetLength + (current - drop) + length;
        if (assembled > capacity_)
            drop = std::min(current, drop + (assembled - capacity_));
        drop = keptTextStart(buffer_, text, drop, modern());
        // A sequence cut at the end of the old text ends in the new one: its rest goes too.
        const std::size_t dropNew = drop > current ? drop - current : 0;
        if (trimmed_)
            trimmed_(std::string_view(buffer_).substr(0, std::min(drop, current)), text.substr(0, dropNew));
        buffer_.replace(0, std::min(drop, current), reset);
        // The lines move up by what was dropped: a selection would cover other text.
        selection_.clear();
        buffer_.append(text.substr(dropNew));
    } else {
        buffer_.append(text);
    }
    if (buffer_.size() > capacity_)
        buffer_.resize(capacity_);
    const bool laidOut = layOut();
    if (length > 0 && topLine_ != 0)
        unseenBelow_ = true;
    // Told only now, so that the window sees the marker's state with the new text.
    if (laidOut && changed_)
        changed_();
}

void Terminal::RenderTerminal()
{
    if (layOut() && changed_)
        changed_();
}

bool Terminal::layOut()
{
    if (!mirrorOn_ || released_)
        return false;
    parser_.reset();
    screen_.restart();
    parser_.feed(buffer_);
    applyScrollRequest();
    computeVisibleRange();
    followEndAgain();
    if (topLine_ == 0)
        unseenBelow_ = false;
    return true;
}

void Terminal::applyScrollRequest()
{
    const int lines = screen_.LineCount();
    if (scrollRequest_ == ScrollUp)
        topLine_ = topLine_ == 0 ? lines - screen_.RowCount() - (PageLines - 1) : topLine_ - PageLines;
    else if (scrollRequest_ == ScrollDown)
        topLine_ = topLine_ == 0 ? lines : topLine_ + PageLines;
    else
        return;
    scrollRequest_ = ScrollNone;
    if (topLine_ <= 0)
        topLine_ = 1;
}

void Terminal::computeVisibleRange()
{
    const int lines = screen_.LineCount();
    const int rows = screen_.RowCount();
    if (topLine_ > lines)
        topLine_ = lines;
    if (topLine_ == 0) {
        firstVisible_ = std::max(lines - rows + 1, 1);
        lastVisible_ = lines;
    } else {
        firstVisible_ = topLine_;
        lastVisible_ = std::min(topLine_ + rows - 1, lines);
    }
}

// A view paged down to the last page goes back to following the end once more text has
// arrived; the change shows at the next layout.
void Terminal::followEndAgain()
{
    const int below = screen_.LineCount() - topLine_;
    const int rows = screen_.RowCount();
    if (below < rows && topLine_ == previousTopLine_ && topLine_ != 0) {
        atBottom_ = true;
    } else if (below >= rows && topLine_ == previousTopLine_ && atBottom_) {
        topLine_ = 0;
        atBottom_ = false;
    }
    previousTopLine_ = topLine_;
}

void Terminal::ScrollPageUp()
{
    scrollRequest_ = ScrollUp;
    RenderTerminal();
}

void Terminal::ScrollPageDown()
{
    scrollRequest_ = ScrollDown;
    RenderTerminal();
}

void Terminal::ScrollToEnd()
{
    topLine_ = 0;
    scrollRequest_ = ScrollNone;
    RenderTerminal();
}

void Terminal::ScrollToStart()
{
    topLine_ = 1;
    RenderTerminal();
}

void Terminal::scrollLines(int delta)
{
    scrollTo(firstVisible_ + delta);
}

void Terminal::scrollTo(int firstLine)
{
    if (!mirrorOn_ || released_)
        return;
    const int lastPage = std::max(screen_.LineCount() - screen_.RowCount() + 1, 1);
    firstLine = std::max(firstLine, 1);
    topLine_ = firstLine >= lastPage ? 0 : firstLine;
    // The player moved away from where paging down left the view: it must not jump back to
    // the end by itself.
    atBottom_ = false;
    scrollRequest_ = ScrollNone;
    RenderTerminal();
}

Terminal::ScrollBarState Terminal::scrollBar() const
{
    const int lastPage = std::max(screen_.LineCount() - screen_.RowCount() + 1, 1);
    const int first = std::max(firstVisible_, 1);
    return {std::max(lastPage, first), screen_.RowCount(), topLine_ == 0 ? std::max(lastPage, first) : first};
}

bool Terminal::moreBelow() const
{
    return unseenBelow_ && topLine_ != 0 && lastVisible_ < screen_.LineCount();
}

void Terminal::setColumnCount(int columns)
{
    if (std::clamp(columns, 1, ScreenLine::Width) != screen_.ColumnCount())
        selection_.clear();
    screen_.setColumnCount(columns);
}

void Terminal::setWordWrap(bool on)
{
    if (on != screen_.wordWrap())
        selection_.clear();
    screen_.setWordWrap(on);
}

CellPosition Terminal::cellOfView(CellPoint at) const
{
    const int lines = std::max(screen_.LineCount(), 1);
    const int first = std::clamp(firstVisible_, 1, lines);
    const int last = std::clamp(lastVisible_, first, lines);
    return {std::clamp(first + at.row - 1, first, last), std::clamp(at.column, 1, screen_.ColumnCount())};
}

void Terminal::selectionStart(CellPoint at) { selection_.start(cellOfView(at)); }

void Terminal::selectionExtend(CellPoint to) { selection_.extend(cellOfView(to)); }

void Terminal::selectWord(CellPoint at)
{
    const CellPosition cell = cellOfView(at);
    if (cell.line > screen_.LineCount())
        return;
    const auto [from, to] = wordAt(screen_.line(cell.line), screen_.ColumnCount(), cell.column);
    selection_.select({cell.line, from}, {cell.line, to});
}

void Terminal::replaceBuffer(std::size_t newCapacity)
{
    if (released_)
        return;
    selection_.clear();
    if (trimmed_)
        trimmed_(buffer_, {});
    capacity_ = usableCapacity(newCapacity);
    std::string fresh;
    fresh.reserve(capacity_);
    buffer_.swap(fresh);
    WriteTerminal({});
}

void Terminal::switchModern(bool on, const Palette& palette)
{
    if (on != modern() && !released_ && !buffer_.empty()) {
        buffer_ = convertScrollback(buffer_, on, palette, capacity_);
        selection_.clear();
    }
    setModern(on);
}

void Terminal::release()
{
    released_ = true;
    std::string().swap(buffer_);
}

} // namespace tw
