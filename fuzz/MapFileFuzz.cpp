// Arbitrary bytes as a map file: the parse never crashes, and whatever it accepts saves and
// loads again to the same bytes.
#include "map/MapFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tw::MapFile::Parsed parsed = tw::MapFile::parse(bytes);
    tw::MapModel map;
    map.takeRooms(std::move(parsed.rooms), parsed.last, parsed.anyRoom);
    if (!tw::RoomGrid::inside(map.position()))
        std::abort();
    const std::string saved = tw::MapFile::serialise(map.grid);
    const tw::MapFile::Parsed again = tw::MapFile::parse(saved);
    if (!again.error.empty() || tw::MapFile::serialise(again.rooms) != saved)
        std::abort();
    // Moves over whatever exits the file holds keep the position on the grid.
    map.ShiftEast();
    map.ShiftUp();
    map.DeleteRoom(map.MapX, map.MapY, map.MapLevel);
    map.CreateMap(map.MapX, map.MapY, map.MapLevel, 0);
    return 0;
}
