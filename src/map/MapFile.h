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

    static std::string serialise(const RoomGrid& grid);

    struct Parsed {
        RoomGrid rooms;
        Cell last;          // the cell of the last record taken
        bool anyRoom = false;
        int skipped = 0;    // records whose cell lies outside the grid
        std::string error;  // empty when every counted record was there
    };
    // Reads the count and that many records; bytes after them are ignored. Records whose
    // cell lies outside the grid are skipped; a later record for the same cell replaces the
    // earlier room. A file that ends before its count says gives an error and must not
    // replace the map.
    static Parsed parse(std::string_view bytes);

    // Writes the map to path so that a failure keeps the previous file; on success the path
    // becomes MapFileName and the map counts as saved. Returns the I/O error text on failure.
    static std::optional<std::string> save(MapModel& map, const std::string& path);

    // Open after the dialog: a missing file says "File doesn't exist!"; a file too short for
    // its count is reported and leaves the map and MapFileName as they were. Rooms outside the
    // grid are counted in one message. Returns whether the map was replaced.
    static bool open(MapModel& map, const std::string& path, Host& host);

    // The message after an open that skipped rooms outside the grid.
    static std::string skippedText(int skipped);
};

} // namespace tw
