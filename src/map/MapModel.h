#pragma once
// The automapper's map: the room grid, the player's position on it, the viewed level and the
// operations that change the map as a whole. One instance lives as long as the program.
#include "map/RoomGrid.h"
#include "map/RoomNumbers.h"

#include <cstdint>
#include <string>

namespace tw {

class MapModel {
public:
    MapModel() { newMap(); }

    RoomGrid grid;
    // The game's numbers of the rooms, where the game sends room data; they follow the rooms
    // when the map shifts and go with a room that is deleted or made anew.
    RoomNumbers numbers;
    int MapX = 15, MapY = 15, MapLevel = 5;
    int ViewLevel = 5;
    std::string MapFileName;
    std::string ExportFileName;
    bool ShiftOk = true;
    int LastMouseX = 0, LastMouseY = 0;
    // The movement awaiting the server's reply and the reply's first line so far.
    int PendingMove = 0;
    std::string PendingRoomText;
    // The automapper's on/off switch (the map window's "&Activate!" check mark); Ctrl+A on the
    // command line switches the same flag.
    bool active = false;

    // The initial map: everything empty, the start values, one default room at (15, 15, 5).
    void newMap();

    void InitRoom(int x, int y, int level);
    bool RoomExists(int x, int y, int level) const { return grid.at(x, y, level) != nullptr; }
    TMapRoom* room(int x, int y, int level) { return grid.at(x, y, level); }
    const TMapRoom* room(int x, int y, int level) const { return grid.at(x, y, level); }
    Cell position() const { return {MapX, MapY, MapLevel}; }

    // Makes sure the cell holds a room and links it both ways with the straight neighbours that
    // the direction allows (all of them for 0, the one the player came from for a straight or
    // vertical move, none for a diagonal). Returns whether the room already existed; an
    // existing room with direction 0 links nothing.
    bool CreateMap(int x, int y, int level, int direction);
    // Frees the room and clears the back exits of its six straight neighbours.
    void DeleteRoom(int x, int y, int level);

    bool NorthEdgeUsed() const;
    bool SouthEdgeUsed() const;
    bool WestEdgeUsed() const;
    bool EastEdgeUsed() const;
    bool BottomLevelUsed() const;
    bool TopLevelUsed() const;

    // Move every room, its exits and the position one step; refused (ShiftOk false, nothing
    // changed) when a room stands on the edge the rooms move towards.
    void ShiftNorth();
    void ShiftSouth();
    void ShiftWest();
    void ShiftEast();
    void ShiftUp();
    void ShiftDown();

    // Replaces every room and the position with a loaded map's (see MapFile); the numbers are
    // read after it from their own file.
    void takeRooms(RoomGrid&& rooms, Cell last, bool anyRoom);

    // Whether the rooms differ from the ones last opened, saved or made new; leaving the
    // program then offers to save them. The position and the viewed level are not saved and
    // do not count.
    bool changed() const { return roomsDigest() != savedDigest_; }
    void markSaved() { savedDigest_ = roomsDigest(); }

private:
    // A 64-bit fingerprint of every room's cell, texts and exits: a full map's rooms take
    // 8 MB, too much to keep a second time only to compare.
    std::uint64_t roomsDigest() const;
    std::uint64_t savedDigest_ = 0;
    bool anyRoomWhere(bool (*onEdge)(int x, int y, int level)) const;
    void shiftUnless(bool edgeUsed, int dx, int dy, int dlevel);
};

} // namespace tw
