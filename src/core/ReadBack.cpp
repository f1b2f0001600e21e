#include "core/ReadBack.h"

#include "base/Utf8.h"

#include <algorithm>

namespace tw {

namespace {

char32_t folded(char32_t c, bool caseSensitive)
{
    return !caseSensitive && c >= 'A' && c <= 'Z' ? c + 32 : c;
}

// The cells of a line that hold a character of their own (not the right half of a wide one),
// up to the column count.
std::vector<int> characterColumns(const ScreenLine& line, int columns)
{
    std::vector<int> at;
    for (int c = 1; c <= columns; ++c)
        if (!(line.cell(c).character & ScreenCell::RightHalf))
            at.push_back(c);
    return at;
}

// The columns (first and last cell) of every occurrence of what on a line.
std::vector<std::pair<int, int>> occurrences(const ScreenLine& line, int columns, const std::u32string& what,
                                             bool caseSensitive)
{
    std::vector<std::pair<int, int>> found;
    if (what.empty())
        return found;
    const std::vector<int> at = characterColumns(line, columns);
    for (std::size_t i = 0; i + what.size() <= at.size(); ++i) {
        std::size_t k = 0;
        while (k < what.size() &&
               folded(line.cell(at[i + k]).character, caseSensitive) == folded(what[k], caseSensitive))
            ++k;
        if (k == what.size()) {
            const int last = at[i + k - 1];
            const bool wide = last < columns && (line.cell(last + 1).character & ScreenCell::RightHalf);
            found.push_back({at[i], wide ? last + 1 : last});
        }
    }
    return found;
}

} // namespace

ReadBack::ReadBack(Terminal& terminal, HistoryStore& store, HistoryIntake& intake)
    : terminal_(terminal), store_(store), intake_(intake), slots_(2)
{
}

void ReadBack::setEnabled(bool on)
{
    enabled_ = on;
    selection_.clear();
    what_.clear();
    whatCells_.clear();
    seenDropped_ = store_.dropped();
    show(false, 1);
}

void ReadBack::setPaneRows(int upper, int live)
{
    upperRows_ = std::max(upper, 1);
    liveRows_ = std::max(live, 1);
}

void ReadBack::trimmed(std::string_view older, std::string_view newer)
{
    intake_.take(older, newer, {terminal_.ColumnCount(), terminal_.wordWrap(), terminal_.modern()});
    if (split_ || !selection_.empty() || searching())
        digestAll();
}

void ReadBack::digestAll() { digest(std::string::npos); }

void ReadBack::digest(std::size_t bytes)
{
    intake_.digest(bytes);
    followDrops();
}

void ReadBack::followDrops()
{
    const long gone = long(store_.dropped() - seenDropped_);
    seenDropped_ = store_.dropped();
    if (gone == 0)
        return;
    top_ = std::max(top_ - gone, 1L);
    if (!selection_.empty()) {
        const CellPosition a = selection_.first(), b = selection_.last();
        if (b.line - gone < 1)
            selection_.clear();
        else
            selection_.select({int(std::max(a.line - gone, 1L)), a.line - gone < 1 ? 1 : a.column},
                              {int(b.line - gone), b.column});
    }
}

long ReadBack::lineCount() const { return long(store_.size()) + terminal_.model().LineCount(); }

long ReadBack::joinedTop() const { return std::max(lineCount() - liveRows_ - upperRows_ + 1, 1L); }

void ReadBack::show(bool split, long top)
{
    const bool moved = split != split_ || (split && top != top_);
    split_ = split;
    top_ = top;
    if (moved && changed)
        changed();
}

void ReadBack::setTop(long top)
{
    top = std::max(top, 1L);
    if (top >= joinedTop())
        show(false, top_);
    else
        show(true, top);
}

void ReadBack::pageUp()
{
    if (!enabled_)
        return;
    digestAll();
    setTop((split_ ? top_ : joinedTop()) - upperRows_);
}

void ReadBack::pageDown()
{
    if (!enabled_ || !split_)
        return;
    digestAll();
    setTop(top_ + upperRows_);
}

void ReadBack::scrollLines(int delta)
{
    if (!enabled_ || (!split_ && delta >= 0))
        return;
    digestAll();
    setTop((split_ ? top_ : joinedTop()) + delta);
}

void ReadBack::scrollTo(long line)
{
    if (!enabled_)
        return;
    digestAll();
    setTop(line);
}

void ReadBack::toStart()
{
    if (!enabled_ || !split_)
        return;
    digestAll();
    setTop(1);
}

void ReadBack::join()
{
    followDrops();
    show(false, top_);
}

Terminal::ScrollBarState ReadBack::scrollBar() const
{
    const long last = joinedTop();
    return {int(last), upperRows_, int(split_ ? std::min(top_, last) : last)};
}

// --- Lines ---

bool ReadBack::lineModern(long line) const
{
    return line <= long(store_.size()) ? store_.modern(std::size_t(line - 1)) : terminal_.modern();
}

const ScreenLine* ReadBack::lineAt(long line, ScreenLine& slot) const
{
    const long history = long(store_.size());
    if (line < 1 || line > lineCount())
        return nullptr;
    if (line <= history) {
        store_.cells(std::size_t(line - 1), slot);
    } else {
        const ScreenLine& shown = terminal_.model().line(int(line - history));
        if (!searching())
            return &shown;
        slot = shown;
    }
    if (searching())
        markFound(slot, ScreenLine::Width);
    return &slot;
}

void ReadBack::markFound(ScreenLine& line, int columns) const
{
    for (const auto& [first, last] : occurrences(line, columns, whatCells_, caseSensitive_)) {
        for (int c = first; c <= last; ++c) {
            ScreenCell& cell = line.cells[std::size_t(c - 1)];
            cell.background = FoundBackground;
            cell.foreground = FoundForeground;
        }
    }
}

PaintedRows::Row ReadBack::rowFor(long line, int slot, int columns) const
{
    const ScreenLine* shown = lineAt(line, slots_[std::size_t(slot)]);
    if (!shown)
        return {};
    return {shown, selection_.columnsOn(int(line), columns)};
}

long ReadBack::Pane::firstLine(int rows) const
{
    if (upper_)
        return r_.top_;
    const long lines = r_.terminal_.model().LineCount();
    return long(r_.store_.size()) + std::max(lines - rows + 1, 1L);
}

PaintedRows::Row ReadBack::Pane::row(int row, int rows, int columns) const
{
    return r_.rowFor(firstLine(rows) + row, upper_ ? 0 : 1, columns);
}

// --- Selecting ---

CellPosition ReadBack::Pane::cellOf(CellPoint at, int rows) const
{
    const long first = firstLine(rows);
    const long last = std::max(std::min(first + rows - 1, r_.lineCount()), first);
    const long line = std::clamp(first + at.row - 1, first, last);
    return {int(line), std::clamp(at.column, 1, r_.terminal_.ColumnCount())};
}

void ReadBack::clearSelection() { selection_.clear(); }

void ReadBack::selectWordAt(CellPosition cell)
{
    ScreenLine slot;
    const ScreenLine* line = lineAt(cell.line, slot);
    if (!line)
        return;
    const auto [from, to] = wordAt(*line, terminal_.ColumnCount(), cell.column);
    selection_.select({cell.line, from}, {cell.line, to});
}

// What the selection counts in must not grow under it: waiting lines are laid out first.
void ReadBack::Pane::selectionStart(CellPoint at, int rows)
{
    r_.digestAll();
    r_.selection_.start(cellOf(at, rows));
}

void ReadBack::Pane::selectionExtend(CellPoint to, int rows) { r_.selection_.extend(cellOf(to, rows)); }

void ReadBack::Pane::selectWord(CellPoint at, int rows)
{
    r_.digestAll();
    r_.selectWordAt(cellOf(at, rows));
}

std::vector<ReadBack::SelectedLine> ReadBack::selectedLines() const
{
    std::vector<SelectedLine> lines;
    if (selection_.empty())
        return lines;
    const long last = std::min<long>(selection_.last().line, lineCount());
    for (long number = std::max(selection_.first().line, 1); number <= last; ++number) {
        SelectedLine out;
        out.modern = lineModern(number);
        const ScreenLine* line = lineAt(number, out.cells);
        if (line != &out.cells)
            out.cells = *line;
        if (const auto columns = selection_.columnsOn(int(number), terminal_.ColumnCount())) {
            out.first = columns->first;
            out.last = columns->second;
            while (out.last >= out.first && out.cells.cell(out.last).character == ' ')
                --out.last;
        }
        lines.push_back(out);
    }
    return lines;
}

std::string ReadBack::selectedText() const
{
    std::string out;
    bool firstLine = true;
    for (const SelectedLine& line : selectedLines()) {
        if (!firstLine)
            out += '\n';
        firstLine = false;
        for (int c = line.first; c <= line.last; ++c) {
            const char32_t ch = line.cells.cell(c).character;
            if (!line.modern)
                out += char(ch);
            else if (!(ch & ScreenCell::RightHalf))
                utf8::append(out, ch);
        }
    }
    return out;
}

// --- Finding ---

void ReadBack::setSearch(std::string what, bool caseSensitive)
{
    what_ = std::move(what);
    caseSensitive_ = caseSensitive;
    whatCells_.clear();
    const bool modern = terminal_.modern();
    for (std::size_t i = 0; i < what_.size();) {
        if (!modern) {
            whatCells_ += char32_t(static_cast<std::uint8_t>(what_[i++]));
            continue;
        }
        const utf8::Decoded d = utf8::decode(what_.data() + i, what_.data() + what_.size());
        whatCells_ += d.code;
        i += d.length;
    }
    if (searching())
        digestAll();
}

std::optional<CellPosition> ReadBack::findInTerminal(bool older, CellPosition from) const
{
    const long history = long(store_.size());
    const ScreenModel& model = terminal_.model();
    const int columns = terminal_.ColumnCount();
    const long first = history + 1, last = history + model.LineCount();
    if (last < first)
        return std::nullopt;
    for (long line = std::clamp<long>(from.line, first, last); line >= first && line <= last;
         line += older ? -1 : 1) {
        auto found = occurrences(model.line(int(line - history)), columns, whatCells_, caseSensitive_);
        if (older)
            std::reverse(found.begin(), found.end());
        for (const auto& [column, end] : found) {
            const bool before = line < from.line || column < from.column;
            const bool after = line > from.line || column > from.column;
            if (older ? before : after)
                return CellPosition{int(line), column};
        }
    }
    return std::nullopt;
}

std::optional<CellPosition> ReadBack::findFrom(bool older, CellPosition from) const
{
    const long history = long(store_.size());
    const auto inHistory = [&](std::optional<HistoryStore::Hit> hit) -> std::optional<CellPosition> {
        if (!hit)
            return std::nullopt;
        return CellPosition{int(hit->line + 1), store_.cellOf(hit->line, hit->offset) + 1};
    };
    // The byte offset in a history line where the cell column begins.
    const auto offsetOf = [&](long line, int column) {
        std::size_t offset = 0;
        const std::string_view text = store_.text(std::size_t(line - 1));
        while (offset < text.size() && store_.cellOf(std::size_t(line - 1), offset) < column - 1)
            ++offset;
        return offset;
    };
    if (older) {
        if (from.line > history)
            if (const auto found = findInTerminal(true, from))
                return found;
        const long line = std::min<long>(from.line, history + 1);
        const std::size_t offset = line <= history ? offsetOf(line, from.column) : 0;
        return inHistory(store_.findBackward(what_, caseSensitive_, std::size_t(line - 1), offset));
    }
    if (from.line <= history) {
        // Only what begins after `from`; column 0 stands before the line's first cell.
        const std::size_t offset = from.column < 1 ? 0 : offsetOf(from.line, from.column) + 1;
        if (const auto found =
                inHistory(store_.findForward(what_, caseSensitive_, std::size_t(from.line - 1), offset)))
            return found;
    }
    return findInTerminal(false, {int(std::max<long>(from.line, history + 1)), from.line > history ? from.column : 0});
}

bool ReadBack::findNext(bool older)
{
    if (!enabled_ || !searching())
        return false;
    digestAll();
    const long end = lineCount();
    // From the occurrence selected, else from the end (going back) or the start.
    const CellPosition edge = older ? CellPosition{int(end + 1), 1} : CellPosition{1, 0};
    const CellPosition from = selection_.empty() ? edge : selection_.first();
    std::optional<CellPosition> found = findFrom(older, from);
    if (!found && from != edge)
        found = findFrom(older, edge);
    if (!found)
        return false;
    ScreenLine slot;
    const ScreenLine* line = lineAt(found->line, slot);
    const auto hits = occurrences(*line, ScreenLine::Width, whatCells_, caseSensitive_);
    int last = found->column + int(whatCells_.size()) - 1;
    for (const auto& [first, end] : hits)
        if (first == found->column)
            last = end;
    selection_.select(*found, {found->line, last});
    // Into view: what the joined view shows stays joined, the rest is shown in the upper pane.
    const long shownFrom = std::max(end - terminal_.RowCount() + 1, 1L);
    if (!split_ && found->line >= shownFrom)
        return true;
    setTop(std::min<long>(found->line - upperRows_ / 2, joinedTop() - 1));
    return true;
}

} // namespace tw
