#pragma once
// The room editor's rules: what its boxes show for a cell, which coordinates they accept, and
// how OK stores them into the map.
#include "map/MapModel.h"

#include <array>
#include <string>

namespace tw {

struct RoomEditForm {
    std::string title; // as read: without the game's colour codes
    std::string description; // the description box's text, lines separated by "\n"
    std::array<bool, dir::Count> checked{};
    std::array<std::array<std::string, 3>, dir::Count> coords; // column, row, level of exit d
};

class RoomEdit {
public:
    static constexpr const char* HelpCommand = "EXPLORER.EXE docs\\automap_edit.html";

    static std::string caption(const Cell& c); // "Room Editor - (x,y,level)"
    // The boxes for the cell's room, or for a default room when the cell is empty (which
    // stays empty).
    static RoomEditForm fill(const MapModel& map, const Cell& c);
    // A column or row box whose text is not a whole number from 1 to 30, and a level box
    // not from 1 to 10, becomes "0".
    static void checkCoordinates(RoomEditForm& form);
    // OK: creates the room if the cell is empty and stores the texts and the exits; an exit
    // that is absent, leads off the grid or to an empty cell is cleared. A title left as
    // shown keeps its stored bytes.
    static void store(MapModel& map, const Cell& c, RoomEditForm form);
};

} // namespace tw
