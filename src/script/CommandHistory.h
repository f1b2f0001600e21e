#pragma once
// The command history: submitted lines, oldest first, and the position Up and Down move from.
#include <string>
#include <vector>

namespace tw {

class CommandHistory {
public:
    // Records a non-empty submission: an equal entry moves to the newest place, a new one is
    // appended and, past the limit, the oldest one is dropped (one per submission).
    void submit(const std::string& line, int retained);
    // Up: the entry to show, or nothing at the oldest entry.
    const std::string* up();
    // Down: the entry to show (empty text at the position after the newest), or nothing.
    const std::string* down();

    const std::vector<std::string>& entries() const { return entries_; }
    int HistoryIndex = 0;

private:
    std::vector<std::string> entries_;
    std::string empty_;
};

} // namespace tw
