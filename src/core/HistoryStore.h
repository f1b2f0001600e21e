#pragma once
// The long history: the lines the scrollback has let go, each with its characters and its
// colours. All lines share two arenas (the characters, and the colour runs), so a line costs its
// bytes, a dozen bytes per change of colour and eight bytes of index; beyond the line limit the
// oldest lines go.
#include "core/ScreenModel.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class HistoryStore {
public:
    static constexpr std::size_t DefaultLimit = 100000;
    static constexpr std::size_t MaxLimit = 1000000;

    // A run of cells in one pair of colours, from its first cell (counted from 0) to the next
    // run's first cell or the end of the line.
    struct Run {
        std::uint16_t first = 0;
        CellColour foreground = 7;
        CellColour background = 0;
        bool operator==(const Run&) const = default;
    };

    // A line numbered from 0, the oldest kept; its serial counts every line ever added.
    struct Hit {
        std::size_t line = 0;
        std::size_t offset = 0; // bytes into the line's text
        std::size_t length = 0; // bytes; it may run on into the lines the line continues in
        bool operator==(const Hit&) const = default;
    };

    // The most lines kept, 1 to MaxLimit; a lower limit lets the oldest lines go now.
    void setLimit(std::size_t lines);
    std::size_t limit() const { return limit_; }

    // Adds the first `cells` cells of a laid-out row. In modern mode its text is UTF-8 (the
    // right halves of wide characters leave nothing); else a byte per cell. `continues` says
    // that the row broke at the edge and its line goes on in the next row.
    void append(const ScreenLine& row, int cells, bool modern, bool continues);
    void clear();

    std::size_t size() const { return lines_.size() - first_; }
    bool empty() const { return size() == 0; }
    // How many lines have gone beyond the limit since the store began.
    std::uint64_t dropped() const { return dropped_; }

    std::string_view text(std::size_t line) const;
    std::span<const Run> runs(std::size_t line) const;
    bool modern(std::size_t line) const { return (lines_[first_ + line].flags & Modern) != 0; }
    bool continues(std::size_t line) const { return (lines_[first_ + line].flags & Continues) != 0; }
    // The line laid out again into cells, as the terminal showed it.
    void cells(std::size_t line, ScreenLine& into) const;
    // The cell (from 0) where the character at a byte offset of the line's text begins.
    int cellOf(std::size_t line, std::size_t offset) const;

    // The next occurrence of `what` (bytes as the lines hold them) at or after (line, offset),
    // and the last one that begins before it. Without caseSensitive, the letters A-Z and a-z
    // match each other. An occurrence may run from a line into the lines it continues in.
    std::optional<Hit> findForward(std::string_view what, bool caseSensitive, std::size_t line,
                                   std::size_t offset) const;
    std::optional<Hit> findBackward(std::string_view what, bool caseSensitive, std::size_t line,
                                    std::size_t offset) const;

    // Bytes held, for the tests of the memory bound.
    std::size_t bytesHeld() const;

private:
    static constexpr std::uint32_t Modern = 1u << 30, Continues = 1u << 31, RunMask = Modern - 1;
    struct Line {
        std::uint32_t text;  // where the line's text begins in text_
        std::uint32_t flags; // where its runs begin in runs_, with Modern and Continues
    };
    std::size_t textStart(std::size_t index) const { return lines_[index].text; }
    std::size_t textEnd(std::size_t index) const
    {
        return index + 1 < lines_.size() ? lines_[index + 1].text : text_.size();
    }
    std::size_t runStart(std::size_t index) const { return lines_[index].flags & RunMask; }
    std::size_t runEnd(std::size_t index) const
    {
        return index + 1 < lines_.size() ? lines_[index + 1].flags & RunMask : runs_.size();
    }
    // The kept line whose text holds the arena position.
    std::size_t lineAt(std::size_t position) const;
    // The occurrence at an arena position as a hit, when it does not run across a line end.
    std::optional<Hit> hitAt(std::size_t position, std::size_t length) const;
    // Lets lines beyond the limit go; the arenas are compacted once enough has gone.
    void keepLimit();

    std::string text_;
    std::vector<Run> runs_;
    std::vector<Line> lines_; // lines before first_ have gone
    std::size_t first_ = 0;
    std::size_t limit_ = DefaultLimit;
    std::uint64_t dropped_ = 0;
};

} // namespace tw
