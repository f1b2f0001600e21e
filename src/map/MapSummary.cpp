#include "map/MapSummary.h"

namespace tw {

std::string mapSummary(const MapModel& map)
{
    int rooms = 0;
    for (int y = 1; y <= RoomGrid::Rows; ++y)
        for (int x = 1; x <= RoomGrid::Columns; ++x)
            rooms += map.RoomExists(x, y, map.ViewLevel);
    std::string text = "Level " + std::to_string(map.ViewLevel) + ", " + std::to_string(rooms) +
                       (rooms == 1 ? " room" : " rooms") + ". You are at " + std::to_string(map.MapX) + "," +
                       std::to_string(map.MapY) + "," + std::to_string(map.MapLevel);
    const TMapRoom* here = map.room(map.MapX, map.MapY, map.MapLevel);
    const std::string title = here ? here->title.str() : std::string();
    return text + (title.empty() ? "." : ": " + title + ".");
}

} // namespace tw
