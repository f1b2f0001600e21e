#pragma once
// The room numbers of a map in a text file beside the map file: the map file's name with
// ".rooms" added. The first line names the form; then one line per numbered room, in the map
// file's order: "x y level number" and the exits the game named, each as "dir=number"
// ("n=1002 e=1003"). The map file itself stays as it always was.
#include "map/MapModel.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class Host;

class RoomNumberFile {
public:
    static constexpr std::string_view Header = "Tarnwick room numbers 1";

    static std::string pathBeside(const std::string& mapPath) { return mapPath + ".rooms"; }

    static std::string serialise(const RoomNumbers& numbers);

    struct Parsed {
        RoomNumbers numbers;
        int skipped = 0; // lines that could not be read, or name a cell without a room
    };
    // Numbers only for cells that hold a room of `grid`; a file without the header line gives
    // none.
    static Parsed parse(std::string_view text, const RoomGrid& grid);

    // After the map itself was written to mapPath: the numbers go beside it. A map without
    // numbers writes no file, but empties one left from before, so that it cannot give its
    // numbers to the new rooms. Returns the I/O error text on failure.
    static std::optional<std::string> save(const MapModel& map, const std::string& mapPath);

    // After a map was opened from mapPath: its numbers, when the file beside it exists. A file
    // that cannot be read, or has lines that do not fit the map, is said in a message; the map
    // stays open without those numbers.
    static void open(MapModel& map, const std::string& mapPath, Host& host);
};

} // namespace tw
