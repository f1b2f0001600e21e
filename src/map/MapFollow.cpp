#include "map/MapFollow.h"

#include <algorithm>

namespace tw {

bool MapFollow::follow(MapModel& map) const
{
    if (on)
        map.ViewLevel = map.MapLevel;
    return on;
}

MapFollow::View MapFollow::keepInSight(const View& view, const Cell& cell, int cellPixels)
{
    // The cell and its neighbours on the board, so that the next step's room shows too.
    const int left = std::max(cell.x - 2, 0) * cellPixels, top = std::max(cell.y - 2, 0) * cellPixels;
    const int right = std::min(cell.x + 1, RoomGrid::Columns) * cellPixels;
    const int bottom = std::min(cell.y + 1, RoomGrid::Rows) * cellPixels;
    const bool inSight = left >= view.left && top >= view.top && right <= view.left + view.width &&
                         bottom <= view.top + view.height;
    if (inSight)
        return view;
    View moved = view;
    moved.left = cell.x * cellPixels - cellPixels / 2 - view.width / 2;
    moved.top = cell.y * cellPixels - cellPixels / 2 - view.height / 2;
    return moved;
}

} // namespace tw
