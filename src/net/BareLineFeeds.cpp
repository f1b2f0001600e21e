#include "net/BareLineFeeds.h"

namespace tw {

std::string startBareLineFeeds(std::string_view block, char& previous)
{
    std::string out;
    out.reserve(block.size() + 16);
    for (std::size_t i = 0; i < block.size(); ++i) {
        const char c = block[i];
        // A line feed at the very end counts as bare: a CR at the start of the next block
        // only returns to column 1 of the new line.
        if (c == '\n' && previous != '\r' && (i + 1 >= block.size() || block[i + 1] != '\r'))
            out += '\r';
        out += c;
        previous = c;
    }
    return out;
}

} // namespace tw
