#include "core/HistoryStore.h"

#include "base/Utf8.h"

#include <algorithm>
#include <array>

namespace tw {

namespace {

// Horspool's search over bytes, with letters folded to lower case unless the case matters:
// it looks at about one byte in `what.size()`, so a million lines take milliseconds.
class ByteSearch {
public:
    ByteSearch(std::string_view what, bool caseSensitive) : m_(what.size())
    {
        for (int b = 0; b < 256; ++b)
            fold_[std::size_t(b)] = std::uint8_t(!caseSensitive && b >= 'A' && b <= 'Z' ? b + 32 : b);
        folded_.resize(m_);
        for (std::size_t i = 0; i < m_; ++i)
            folded_[i] = fold_[static_cast<std::uint8_t>(what[i])];
        // The shifts are looked up by the byte as it stands in the text, folded or not.
        std::array<std::size_t, 256> ahead{}, back{};
        ahead.fill(m_);
        back.fill(m_);
        for (std::size_t i = 0; i + 1 < m_; ++i)
            ahead[folded_[i]] = m_ - 1 - i;
        for (std::size_t i = m_; i-- > 1;)
            back[folded_[i]] = i;
        for (int b = 0; b < 256; ++b) {
            ahead_[std::size_t(b)] = ahead[fold_[std::size_t(b)]];
            back_[std::size_t(b)] = back[fold_[std::size_t(b)]];
        }
    }

    // The first occurrence beginning at or after from, npos when none.
    std::size_t next(std::string_view hay, std::size_t from) const
    {
        if (m_ == 0 || hay.size() < m_)
            return std::string_view::npos;
        const auto* text = reinterpret_cast<const std::uint8_t*>(hay.data());
        const std::uint8_t last = folded_[m_ - 1];
        for (std::size_t pos = from, end = hay.size() - m_; pos <= end;) {
            const std::uint8_t b = text[pos + m_ - 1];
            if (fold_[b] == last && matches(text + pos))
                return pos;
            pos += ahead_[b];
        }
        return std::string_view::npos;
    }

    // The last occurrence beginning at or after from and before `before`, npos when none.
    std::size_t previous(std::string_view hay, std::size_t from, std::size_t before) const
    {
        if (m_ == 0 || hay.size() < m_ || before <= from)
            return std::string_view::npos;
        const auto* text = reinterpret_cast<const std::uint8_t*>(hay.data());
        for (std::size_t pos = std::min(before - 1, hay.size() - m_);;) {
            if (matches(text + pos))
                return pos;
            const std::size_t shift = back_[text[pos]];
            if (pos < from + shift)
                return std::string_view::npos;
            pos -= shift;
        }
    }

private:
    bool matches(const std::uint8_t* at) const
    {
        for (std::size_t i = 0; i < m_; ++i)
            if (fold_[at[i]] != folded_[i])
                return false;
        return true;
    }

    std::size_t m_;
    std::basic_string<std::uint8_t> folded_;
    std::array<std::uint8_t, 256> fold_{};
    std::array<std::uint32_t, 256> ahead_{};
    std::array<std::uint32_t, 256> back_{};
};

} // namespace

void HistoryStore::setLimit(std::size_t lines)
{
    limit_ = std::clamp<std::size_t>(lines, 1, MaxLimit);
    keepLimit();
}

void HistoryStore::append(const ScreenLine& row, int cells, bool modern, bool continues)
{
    int count = std::clamp(std::min(cells, row.written), 0, ScreenLine::Width);
    // Blank cells at the end of a line read the same as no cells; a row that breaks keeps
    // them, they stand between words.
    while (!continues && count > 0 && row.cells[std::size_t(count - 1)] == ScreenCell{})
        --count;
    std::uint32_t flags = std::uint32_t(runs_.size());
    if (modern)
        flags |= Modern;
    if (continues)
        flags |= Continues;
    lines_.push_back({std::uint32_t(text_.size()), flags});
    for (int c = 0; c < count; ++c) {
        const ScreenCell& cell = row.cells[std::size_t(c)];
        if (c == 0 || cell.foreground != runs_.back().foreground || cell.background != runs_.back().background)
            runs_.push_back({std::uint16_t(c), cell.foreground, cell.background});
        if (!modern)
            text_ += char(cell.character);
        else if (!(cell.character & ScreenCell::RightHalf))
            utf8::append(text_, cell.character);
    }
    keepLimit();
}

void HistoryStore::clear()
{
    dropped_ += size();
    text_.clear();
    runs_.clear();
    lines_.clear();
    first_ = 0;
}

void HistoryStore::keepLimit()
{
    if (size() <= limit_)
        return;
    const std::size_t going = size() - limit_;
    first_ += going;
    dropped_ += going;
    // Compacting moves every kept byte: done once a quarter of the limit has gone, it costs a
    // few bytes per line added.
    if (first_ < std::max<std::size_t>(limit_ / 4, 1024) && first_ < lines_.size())
        return;
    const std::size_t textFrom = first_ < lines_.size() ? textStart(first_) : text_.size();
    const std::size_t runFrom = first_ < lines_.size() ? runStart(first_) : runs_.size();
    text_.erase(0, textFrom);
    runs_.erase(runs_.begin(), runs_.begin() + std::ptrdiff_t(runFrom));
    lines_.erase(lines_.begin(), lines_.begin() + std::ptrdiff_t(first_));
    first_ = 0;
    for (Line& line : lines_) {
        line.text -= std::uint32_t(textFrom);
        line.flags -= std::uint32_t(runFrom);
    }
}

std::string_view HistoryStore::text(std::size_t line) const
{
    const std::size_t index = first_ + line;
    return std::string_view(text_).substr(textStart(index), textEnd(index) - textStart(index));
}

std::span<const HistoryStore::Run> HistoryStore::runs(std::size_t line) const
{
    const std::size_t index = first_ + line;
    return std::span<const Run>(runs_).subspan(runStart(index), runEnd(index) - runStart(index));
}

void HistoryStore::cells(std::size_t line, ScreenLine& into) const
{
    const std::string_view bytes = text(line);
    const std::span<const Run> colours = runs(line);
    const bool utf8 = modern(line);
    std::size_t run = 0;
    int cell = 0;
    for (std::size_t i = 0; i < bytes.size() && cell < ScreenLine::Width;) {
        char32_t code = static_cast<std::uint8_t>(bytes[i]);
        std::size_t length = 1;
        if (utf8) {
            const utf8::Decoded d = utf8::decode(bytes.data() + i, bytes.data() + bytes.size());
            code = d.code;
            length = d.length;
        }
        const int width = utf8 && utf8::isWide(code) ? 2 : 1;
        for (int half = 0; half < width && cell < ScreenLine::Width; ++half, ++cell) {
            while (run + 1 < colours.size() && colours[run + 1].first <= cell)
                ++run;
            const Run& colour = colours.empty() ? Run{} : colours[run];
            into.cells[std::size_t(cell)] =
                ScreenCell{colour.background, colour.foreground, half ? code | ScreenCell::RightHalf : code};
        }
        i += length;
    }
    into.written = cell;
}

int HistoryStore::cellOf(std::size_t line, std::size_t offset) const
{
    if (!modern(line))
        return int(offset);
    const std::string_view bytes = text(line);
    int cell = 0;
    for (std::size_t i = 0; i < offset && i < bytes.size();) {
        const utf8::Decoded d = utf8::decode(bytes.data() + i, bytes.data() + bytes.size());
        cell += utf8::isWide(d.code) ? 2 : 1;
        i += d.length;
    }
    return cell;
}

std::size_t HistoryStore::lineAt(std::size_t position) const
{
    const auto after = std::upper_bound(lines_.begin() + std::ptrdiff_t(first_), lines_.end(), position,
                                        [](std::size_t p, const Line& line) { return p < line.text; });
    return std::size_t(after - lines_.begin()) - 1;
}

std::optional<HistoryStore::Hit> HistoryStore::hitAt(std::size_t position, std::size_t length) const
{
    const std::size_t index = lineAt(position);
    for (std::size_t crossed = index; position + length > textEnd(crossed); ++crossed)
        if (!(lines_[crossed].flags & Continues) || crossed + 1 >= lines_.size())
            return std::nullopt;
    return Hit{index - first_, position - textStart(index), length};
}

std::optional<HistoryStore::Hit> HistoryStore::findForward(std::string_view what, bool caseSensitive,
                                                           std::size_t line, std::size_t offset) const
{
    if (line >= size() || what.empty())
        return std::nullopt;
    const ByteSearch search(what, caseSensitive);
    for (std::size_t pos = textStart(first_ + line) + offset;;) {
        pos = search.next(text_, pos);
        if (pos == std::string_view::npos)
            return std::nullopt;
        if (const auto hit = hitAt(pos, what.size()))
            return hit;
        ++pos;
    }
}

std::optional<HistoryStore::Hit> HistoryStore::findBackward(std::string_view what, bool caseSensitive,
                                                            std::size_t line, std::size_t offset) const
{
    if (empty() || what.empty())
        return std::nullopt;
    const ByteSearch search(what, caseSensitive);
    const std::size_t from = textStart(first_);
    std::size_t before = line >= size() ? text_.size() : textStart(first_ + line) + offset;
    while (before > from) {
        const std::size_t pos = search.previous(text_, from, before);
        if (pos == std::string_view::npos)
            return std::nullopt;
        if (const auto hit = hitAt(pos, what.size()))
            return hit;
        before = pos;
    }
    return std::nullopt;
}

std::size_t HistoryStore::bytesHeld() const
{
    return text_.capacity() + runs_.capacity() * sizeof(Run) + lines_.capacity() * sizeof(Line);
}

} // namespace tw
