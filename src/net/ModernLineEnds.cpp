#include "net/ModernLineEnds.h"

namespace tw {

std::string modernLineEnds(std::string_view block, char& half)
{
    std::string out;
    out.reserve(block.size() + 16);
    for (const char c : block) {
        if (c == '\0')
            continue;
        if (c != '\r' && c != '\n') {
            half = 0;
            out += c;
        } else if (half != 0 && c != half) {
            half = 0; // the second half of a CR LF or LF CR already written
        } else {
            out += "\r\n";
            half = c;
        }
    }
    return out;
}

} // namespace tw
