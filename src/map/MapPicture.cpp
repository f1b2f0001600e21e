#include "map/MapPicture.h"

namespace tw {

CellLook cellLook(const MapModel& map, int x, int y, int viewLevel)
{
    CellLook look;
    const TMapRoom* room = map.room(x, y, viewLevel);
    if (!room)
        return look;
    look.room = true;
    // Only present exits are drawn: an absent one (0, 0, 0) would otherwise read as a way down
    // from level 1 or north-west from (1, 1). Of a present exit, only the level byte counts for
    // the letters, only the column and row for the lines.
    const MapExit& up = room->exit(dir::Up);
    const MapExit& down = room->exit(dir::Down);
    look.up = up.present() && up.level == viewLevel + 1;
    look.down = down.present() && down.level == viewLevel - 1;
    for (int d = 1; d <= 8; ++d) {
        const Step s = directionStep(d);
        const MapExit& e = room->exit(d);
        look.lines[std::size_t(d - 1)] = e.present() && e.x == x + s.dx && e.y == y + s.dy;
    }
    return look;
}

} // namespace tw

namespace tw {

LevelLooks LevelLooks::of(const MapModel& map)
{
    LevelLooks looks;
    looks.level = map.ViewLevel;
    for (int y = 1; y <= RoomGrid::Rows; ++y)
        for (int x = 1; x <= RoomGrid::Columns; ++x)
            looks.cells[std::size_t((y - 1) * RoomGrid::Columns + (x - 1))] = cellLook(map, x, y, map.ViewLevel);
    if (map.ViewLevel == map.MapLevel)
        looks.disc = {map.MapX, map.MapY, map.MapLevel};
    return looks;
}

std::vector<Cell> changedCells(const LevelLooks& before, const LevelLooks& after)
{
    std::vector<Cell> changed;
    const bool all = before.level != after.level;
    for (int y = 1; y <= RoomGrid::Rows; ++y)
        for (int x = 1; x <= RoomGrid::Columns; ++x) {
            const Cell here{x, y, after.level};
            const bool discMoved = before.disc != after.disc && (before.disc == here || after.disc == here);
            if (all || discMoved || before.at(x, y) != after.at(x, y))
                changed.push_back(here);
        }
    return changed;
}

} // namespace tw
