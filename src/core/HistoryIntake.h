#pragma once
// Takes the text the scrollback lets go and lays it out into the history's lines, exactly as
// the terminal laid it out: its column count, word wrap and text mode at the time, the colours
// from a fresh start (the kept text begins with the colour reset, so the terminal read it
// from one too). Taking only copies bytes; the layout waits until digest(), so that the
// receive path stays as quick as without a history.
#include "core/HistoryStore.h"
#include "core/ScreenModel.h"
#include "net/AnsiParser.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class HistoryIntake {
public:
    struct Layout {
        int columns = 80;
        bool wordWrap = true;
        bool modern = false;
        bool operator==(const Layout&) const = default;
    };
    // Text waiting beyond this is laid out at once, so that a flood nobody reads back keeps
    // a bounded amount of memory.
    static constexpr std::size_t MaxWaiting = 16u << 20;

    explicit HistoryIntake(HistoryStore& store) : store_(store) {}

    // Text that left the scrollback, starting where the terminal started reading (the buffer's
    // start), as it was laid out: older and newer are read as one text.
    void take(std::string_view older, std::string_view newer, Layout layout);
    // Lays out waiting text, at least `bytes` of it (a line is never cut), or all of it.
    void digest(std::size_t bytes = std::string::npos);
    std::size_t waiting() const { return waiting_.size() - done_; }
    // Drops waiting text (the history was switched off or cleared).
    void forget();

private:
    struct Piece {
        std::size_t start; // in waiting_
        Layout layout;
    };
    void layOutLine(std::string_view line, const Layout& layout);

    HistoryStore& store_;
    std::string waiting_;
    std::vector<Piece> pieces_; // each starts the parser afresh
    std::size_t done_ = 0;      // bytes of waiting_ already laid out
    std::size_t piece_ = 0;     // the piece done_ lies in
    ScreenModel model_;
    AnsiParser parser_{model_};
};

} // namespace tw
