#include "map/RoomSummary.h"

#include "net/AnsiParser.h"

namespace tw {

std::string titleAsRead(std::string_view title)
{
    std::string out;
    out.reserve(title.size());
    for (std::size_t i = 0; i < title.size(); ++i) {
        const auto c = static_cast<unsigned char>(title[i]);
        if (c == AnsiParser::Escape) {
            // ESC [ parameters and a command letter; the limit is the colour view's.
            std::size_t end = i + 1;
            if (end < title.size() && title[end] == '[') {
                ++end;
                while (end < title.size() && end - i < AnsiParser::EscapeLimit &&
                       ((title[end] >= '0' && title[end] <= '9') || title[end] == ';'))
                    ++end;
                if (end < title.size() && AnsiParser::isFinal(title[end])) {
                    i = end;
                    continue;
                }
            }
            continue;
        }
        out += c < 0x20 || c == 0x7F ? ' ' : char(c);
    }
    return out;
}

std::string exitNames(const TMapRoom& room)
{
    static constexpr const char* Names[dir::Count] = {" North", " South", " West", " East", " NW",
                                                      " NE",    " SW",    " SE",   " Up",   " Down"};
    std::string names;
    for (int d = 1; d <= dir::Count; ++d)
        if (room.exit(d).present())
            names += Names[d - 1];
    return names;
}

std::string roomTip(const MapModel& map, const Cell& cell)
{
    const TMapRoom* room = map.grid.at(cell);
    if (!room)
        return {};
    const std::string exits = exitNames(*room);
    return titleAsRead(room->title.view()) + "\nExits:" + (exits.empty() ? " None." : exits);
}

} // namespace tw
