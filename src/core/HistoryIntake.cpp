#include "core/HistoryIntake.h"

#include <algorithm>
#include <cstring>

namespace tw {

void HistoryIntake::take(std::string_view older, std::string_view newer, Layout layout)
{
    if (older.empty() && newer.empty())
        return;
    pieces_.push_back({waiting_.size(), layout});
    waiting_.append(older);
    waiting_.append(newer);
    if (waiting() > MaxWaiting)
        digest(waiting() - MaxWaiting / 2);
}

void HistoryIntake::forget()
{
    waiting_.clear();
    pieces_.clear();
    done_ = 0;
    piece_ = 0;
}

void HistoryIntake::digest(std::size_t bytes)
{
    const std::size_t goal = bytes >= waiting() ? waiting_.size() : done_ + bytes;
    while (done_ < goal) {
        const Piece& piece = pieces_[piece_];
        const std::size_t end = piece_ + 1 < pieces_.size() ? pieces_[piece_ + 1].start : waiting_.size();
        if (done_ == piece.start) {
            parser_.reset();
            parser_.setModern(piece.layout.modern);
            model_.setModern(piece.layout.modern);
            model_.setColumnCount(piece.layout.columns);
            model_.setWordWrap(piece.layout.wordWrap);
        }
        // A line ends at a carriage return (the line feed of CR LF goes with it, the terminal
        // shows none); the piece's last line may end without one.
        if (waiting_[done_] == '\n') {
            ++done_;
            if (done_ == end) {
                if (piece_ + 1 < pieces_.size())
                    ++piece_;
                continue;
            }
        }
        const char* from = waiting_.data() + done_;
        const void* cr = std::memchr(from, '\r', end - done_);
        const std::size_t lineEnd = cr ? std::size_t(static_cast<const char*>(cr) - waiting_.data()) : end;
        layOutLine(std::string_view(from, lineEnd - done_), piece.layout);
        done_ = cr ? lineEnd + 1 : end;
        if (done_ == end && piece_ + 1 < pieces_.size())
            ++piece_;
    }
    if (done_ == waiting_.size())
        forget();
}

void HistoryIntake::layOutLine(std::string_view line, const Layout& layout)
{
    model_.restart();
    parser_.feed(line);
    const int rows = model_.LineCount();
    for (int row = 1; row <= rows; ++row)
        store_.append(model_.line(row), layout.columns, layout.modern, row < rows);
}

} // namespace tw
