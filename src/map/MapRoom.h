#pragma once
// One room of the map as the map file stores it, byte for byte, and the ten directions its
// exits are numbered by.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// A length byte and up to 80 characters. Bytes after the length carry no meaning; they are
// kept zero so that saving the same room always writes the same bytes.
struct RoomText {
    static constexpr std::size_t Capacity = 80;
    std::uint8_t length = 0;
    std::array<char, Capacity> chars{};

    std::string_view view() const { return {chars.data(), length <= Capacity ? length : Capacity}; }
    std::string str() const { return std::string(view()); }
    void set(std::string_view text); // cut silently to 80 characters
};

// The absolute cell an exit leads to; 0, 0, 0 when there is no exit.
struct MapExit {
    std::uint8_t x = 0, y = 0, level = 0;

    // Present exactly when all three bytes are non-zero.
    bool present() const { return x != 0 && y != 0 && level != 0; }
    bool operator==(const MapExit&) const = default;
};

// Direction codes: exit slot d of a room is the exit in direction d; 0 is no direction.
namespace dir {
constexpr int None = 0, North = 1, South = 2, West = 3, East = 4, NorthWest = 5, NorthEast = 6,
              SouthWest = 7, SouthEast = 8, Up = 9, Down = 10;
constexpr int Count = 10;
} // namespace dir

struct Step {
    int dx, dy, dlevel;
};
// The step of direction d (1..10) on the grid, and the direction back.
Step directionStep(int d);
int oppositeDirection(int d);
// The short movement command of direction d (1..10): "n", "s", "w", "e", "nw" ... "u", "d".
const char* directionCommand(int d);

struct TMapRoom {
    static constexpr std::size_t DescriptionLines = 10;
    RoomText title;
    std::array<RoomText, DescriptionLines> description;
    std::array<MapExit, dir::Count> exits; // exits[d - 1] is the exit in direction d

    MapExit& exit(int d) { return exits[std::size_t(d - 1)]; }
    const MapExit& exit(int d) const { return exits[std::size_t(d - 1)]; }

    // Length bytes above 80 become 80 and the bytes after every text's end become zero.
    void normalise();

    // A new room: "Initialize Me", one line of description, no exits.
    static TMapRoom defaultRoom();
};

// The room record is stored without padding; the map file relies on the exact size.
static_assert(sizeof(RoomText) == 81);
static_assert(sizeof(MapExit) == 3);
static_assert(sizeof(TMapRoom) == 921);

} // namespace tw
