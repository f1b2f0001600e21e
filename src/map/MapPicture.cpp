#include "map/MapPicture.h"

namespace tw {

CellLook cellLook(const MapModel& map, int x, int y, int viewLevel)
{
    CellLook look;
    const TMapRoom* room = map.room(x, y, viewLevel);
    if (!room)
        return look;
    look.room = true;
    // Only the level bytes count for the letters, only the column and row for the lines.
    look.up = room->exit(dir::Up).level == viewLevel + 1;
    look.down = room->exit(dir::Down).level == viewLevel - 1;
    for (int d = 1; d <= 8; ++d) {
        const Step s = directionStep(d);
        const MapExit& e = room->exit(d);
        look.lines[std::size_t(d - 1)] = e.x == x + s.dx && e.y == y + s.dy;
    }
    return look;
}

} // namespace tw
