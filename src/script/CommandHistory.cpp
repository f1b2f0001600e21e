#include "script/CommandHistory.h"

#include <algorithm>

namespace tw {

void CommandHistory::submit(const std::string& line, int retained)
{
    if (line.empty())
        return;
    const auto found = std::find(entries_.begin(), entries_.end(), line);
    if (found != entries_.end()) {
        std::rotate(found, found + 1, entries_.end());
    } else {
        entries_.push_back(line);
        if (int(entries_.size()) > retained)
            entries_.erase(entries_.begin());
    }
    HistoryIndex = int(entries_.size()) - 1;
}

const std::string* CommandHistory::up()
{
    if (HistoryIndex <= 0)
        return nullptr;
    --HistoryIndex;
    if (HistoryIndex >= int(entries_.size()))
        return &empty_;
    return &entries_[std::size_t(HistoryIndex)];
}

const std::string* CommandHistory::down()
{
    if (HistoryIndex >= int(entries_.size()))
        return nullptr;
    ++HistoryIndex;
    if (HistoryIndex == int(entries_.size()))
        return &empty_;
    return &entries_[std::size_t(HistoryIndex)];
}

} // namespace tw
