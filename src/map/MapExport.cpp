#include "map/MapExport.h"

#include "base/FileIo.h"

namespace tw {

namespace {

// An exit shows when its x and y bytes are set; its level and target are not examined.
bool shown(const TMapRoom& room, int d)
{
    const MapExit& e = room.exit(d);
    return e.x != 0 && e.y != 0;
}

// The 3 x 3 block of a room: each direction's mark at its place, the room in the middle.
void drawCell(const TMapRoom& room, std::string lines[3], std::size_t column)
{
    struct Mark {
        int direction, line, offset;
        char c;
    };
    static constexpr Mark Marks[] = {
        {dir::NorthWest, 0, 0, '\\'}, {dir::North, 0, 1, '|'},  {dir::NorthEast, 0, 2, '/'},
        {dir::West, 1, 0, '-'},       {dir::East, 1, 2, '-'},   {dir::SouthWest, 2, 0, '/'},
        {dir::South, 2, 1, '|'},      {dir::SouthEast, 2, 2, '\\'},
    };
    lines[1][column + 1] = '*';
    for (const Mark& m : Marks)
        if (shown(room, m.direction))
            lines[m.line][column + std::size_t(m.offset)] = m.c;
}

} // namespace

std::string MapExport::render(const RoomGrid& grid)
{
    constexpr std::size_t Width = 3 * RoomGrid::Columns;
    std::string out;
    for (int l = 1; l <= RoomGrid::Levels; ++l) {
        bool used = false;
        for (int y = 1; y <= RoomGrid::Rows && !used; ++y)
            for (int x = 1; x <= RoomGrid::Columns && !used; ++x)
                used = grid.at(x, y, l) != nullptr;
        if (!used)
            continue;
        out += "LEVEL " + std::to_string(l) + "\r\n\r\n";
        for (int y = 1; y <= RoomGrid::Rows; ++y) {
            std::string lines[3] = {std::string(Width, ' '), std::string(Width, ' '), std::string(Width, ' ')};
            for (int x = 1; x <= RoomGrid::Columns; ++x)
                if (const TMapRoom* room = grid.at(x, y, l))
                    drawCell(*room, lines, std::size_t(x - 1) * 3);
            for (const std::string& line : lines)
                out += line + "\r\n";
        }
        out += "\r\n\r\n";
    }
    return out;
}

std::optional<std::string> MapExport::write(MapModel& map, const std::string& path)
{
    if (auto error = writeFileAtomically(path, render(map.grid)))
        return error;
    map.ExportFileName = path;
    return std::nullopt;
}

} // namespace tw
