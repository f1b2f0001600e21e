#include "map/MapRoom.h"

#include <algorithm>

namespace tw {

void RoomText::set(std::string_view text)
{
    const std::size_t n = std::min(text.size(), Capacity);
    std::copy_n(text.data(), n, chars.data());
    std::fill(chars.begin() + std::ptrdiff_t(n), chars.end(), '\0');
    length = std::uint8_t(n);
}

namespace {

constexpr Step Steps[dir::Count] = {
    {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}, {-1, -1, 0},
    {1, -1, 0}, {-1, 1, 0}, {1, 1, 0},  {0, 0, 1},  {0, 0, -1},
};
constexpr int Opposite[dir::Count] = {2, 1, 4, 3, 8, 7, 6, 5, 10, 9};

} // namespace

Step directionStep(int d) { return Steps[d - 1]; }

int oppositeDirection(int d) { return Opposite[d - 1]; }

const char* directionCommand(int d)
{
    static constexpr const char* Commands[dir::Count] = {"n", "s", "w", "e", "nw", "ne", "sw", "se", "u", "d"};
    return Commands[d - 1];
}

void TMapRoom::normalise()
{
    title.set(title.view());
    for (RoomText& line : description)
        line.set(line.view());
}

TMapRoom TMapRoom::defaultRoom()
{
    TMapRoom room;
    room.title.set("Initialize Me");
    room.description[0].set("Only the first ten lines count!");
    return room;
}

} // namespace tw
