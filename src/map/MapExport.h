#pragma once
// The map's text export ("map"): every level that holds a room as a character drawing, each
// cell a 3 x 3 block with "*" for the room and lines for its flat exits.
#include "map/MapModel.h"

#include <optional>
#include <string>

namespace tw {

class MapExport {
public:
    // The whole export, lines ended by CR LF.
    static std::string render(const RoomGrid& grid);
    // Export after the save dialog: ExportFileName takes the name when the file is written;
    // returns the I/O error text on failure, the previous file and name staying as they were.
    static std::optional<std::string> write(MapModel& map, const std::string& path);
};

} // namespace tw
