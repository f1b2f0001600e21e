#pragma once
// The living map: while the map window follows the walk, every change that tracking makes is
// shown at once, on the player's level, with the player's room in sight.
#include "map/MapModel.h"

namespace tw {

class MapFollow {
public:
    bool on = false;

    // After tracking changed the map: whether the window shows it now. Following, the viewed
    // level becomes the player's.
    bool follow(MapModel& map) const;

    // The part of the board in sight, in pixels from its top-left corner.
    struct View {
        int left = 0, top = 0, width = 0, height = 0;
        bool operator==(const View&) const = default;
    };
    // The view that keeps the cell in sight with a cell of room on every side: the same view
    // while it does, else one with the cell in its middle (the scroll bars keep it on the board).
    static View keepInSight(const View& view, const Cell& cell, int cellPixels);
};

} // namespace tw
