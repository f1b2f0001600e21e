#pragma once
// The map file ("twk"): a little-endian 16-bit room count, then per room its x, y and level
// bytes and the 921 room bytes, in the order level, row, column. Nothing else is stored.
#include "map/MapModel.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class Host;

class MapFile {
public:
    static constexpr std::size_t RecordSize = 3 + sizeof(TMapRoom);
    static constexpr std::size_t MaxFileBytes = 2 + RecordSize * 65535;

    static std::string serialise(const RoomGrid& grid);

    struct Parsed {
        RoomGrid rooms;
        Cell last;          // the cell of the last record taken
        bool anyRoom = false;
        std::string error;  // empty when the file was read whole
    };
    // Records whose cell lies outside the grid are skipped; a later record for the same cell
    // replaces the earlier room. A file that ends before its count says, or goes on after it,
    // gives an error and must not replace the map.
    static Parsed parse(std::string_view bytes);

    // Writes the map to MapFileName so that a failure keeps the previous file; returns the
    // I/O error text on failure.
    static std::optional<std::string> save(const MapModel& map);

    // Open after the dialog: MapFileName takes the name; a missing file says "File doesn't
    // exist!"; a file that cannot be read whole is reported and leaves the map as it was.
    // Returns whether the map was replaced.
    static bool open(MapModel& map, const std::string& path, Host& host);
};

} // namespace tw
