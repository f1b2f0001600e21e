#pragma once
// Saving the map without asking: a few seconds after tracking changed it, and at exit, for a
// map that has a file. The save is the safe one, so a failure keeps the file as it was.
#include "map/MapModel.h"

#include <optional>
#include <string>

namespace tw {

class MapAutoSave {
public:
    static constexpr int DelayMilliseconds = 5000;
    bool on = false;

    // Whether the map is saved by itself now: the switch is on and the map has a file.
    bool due(const MapModel& map) const { return on && !map.MapFileName.empty(); }
    // Saves the map to its file when it is due and its rooms changed; the error text of a
    // failed save.
    std::optional<std::string> saveChanges(MapModel& map) const;
};

} // namespace tw
