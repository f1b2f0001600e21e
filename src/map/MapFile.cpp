#include "map/MapFile.h"

#include "map/RoomNumberFile.h"

#include "base/FileIo.h"
#include "base/Host.h"

#include <cstring>

namespace tw {

namespace {

// The room count of the file's first two bytes.
std::size_t roomCount(std::string_view head)
{
    return std::size_t(std::uint8_t(head[0])) | std::size_t(std::uint8_t(head[1])) << 8;
}

} // namespace

std::string MapFile::serialise(const RoomGrid& grid)
{
    std::size_t count = 0;
    for (int l = 1; l <= RoomGrid::Levels; ++l)
        for (int y = 1; y <= RoomGrid::Rows; ++y)
            for (int x = 1; x <= RoomGrid::Columns; ++x)
                count += grid.at(x, y, l) != nullptr;
    std::string out;
    out.reserve(2 + count * RecordSize);
    out += char(count & 0xff);
    out += char(count >> 8);
    for (int l = 1; l <= RoomGrid::Levels; ++l)
        for (int y = 1; y <= RoomGrid::Rows; ++y)
            for (int x = 1; x <= RoomGrid::Columns; ++x) {
                const TMapRoom* room = grid.at(x, y, l);
                if (!room)
                    continue;
                out += char(x);
                out += char(y);
                out += char(l);
                // Rooms are kept with zero bytes after their texts' ends, so the bytes are the
                // same whenever the same room is saved.
                out.append(reinterpret_cast<const char*>(room), sizeof *room);
            }
    return out;
}

MapFile::Parsed MapFile::parse(std::string_view bytes)
{
    Parsed result;
    if (bytes.size() < 2) {
        result.error = ReadBeyondEndOfFile;
        return result;
    }
    const std::size_t count = roomCount(bytes);
    const std::size_t complete = std::min(count, (bytes.size() - 2) / RecordSize);
    for (std::size_t k = 0; k < complete; ++k) {
        const char* record = bytes.data() + 2 + k * RecordSize;
        const int x = std::uint8_t(record[0]), y = std::uint8_t(record[1]), l = std::uint8_t(record[2]);
        if (!RoomGrid::inside(x, y, l)) {
            ++result.skipped;
            continue;
        }
        auto room = std::make_unique<TMapRoom>();
        std::memcpy(static_cast<void*>(room.get()), record + 3, sizeof(TMapRoom));
        room->normalise();
        result.rooms.slot(x, y, l) = std::move(room);
        result.last = {x, y, l};
        result.anyRoom = true;
    }
    if (complete < count)
        result.error = ReadBeyondEndOfFile;
    return result;
}

std::optional<std::string> MapFile::save(MapModel& map, const std::string& path)
{
    if (auto error = writeFileAtomically(path, serialise(map.grid)))
        return error;
    if (auto error = RoomNumberFile::save(map, path))
        return "The map was saved, but its room numbers were not (" + RoomNumberFile::pathBeside(path) + "): " + *error;
    map.MapFileName = path;
    map.markSaved();
    return std::nullopt;
}

std::string MapFile::skippedText(int skipped)
{
    return skipped == 1 ? "1 room lies outside the map's grid and was skipped: saving this map leaves it out."
                        : std::to_string(skipped) +
                              " rooms lie outside the map's grid and were skipped: saving this map leaves them out.";
}

bool MapFile::open(MapModel& map, const std::string& path, Host& host)
{
    if (!pathExists(path)) {
        host.messageBox("Error", "File doesn't exist!", MsgButtons::Ok);
        return false;
    }
    // Only the counted records are read, whatever follows them.
    std::string error;
    std::optional<std::string> bytes = readFileHead(path, 2, error);
    if (bytes && bytes->size() == 2)
        bytes = readFileHead(path, 2 + roomCount(*bytes) * RecordSize, error);
    Parsed parsed = bytes ? parse(*bytes) : Parsed{};
    if (!bytes || !parsed.error.empty()) {
        host.messageBox(AppTitle, bytes ? parsed.error : error, MsgButtons::Ok);
        return false;
    }
    map.takeRooms(std::move(parsed.rooms), parsed.last, parsed.anyRoom);
    map.MapFileName = path;
    RoomNumberFile::open(map, path, host);
    if (parsed.skipped > 0)
        host.messageBox(AppTitle, skippedText(parsed.skipped), MsgButtons::Ok);
    return true;
}

} // namespace tw
