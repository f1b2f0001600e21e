#include "map/MapFile.h"

#include "base/FileIo.h"
#include "base/Host.h"

#include <cstring>

namespace tw {

namespace {

// A longer file is not one this program wrote: its count and its size disagree.
const char* const SizeMismatch = "File size does not match its room count";

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
    const std::size_t count = std::size_t(std::uint8_t(bytes[0])) | std::size_t(std::uint8_t(bytes[1])) << 8;
    const std::size_t complete = std::min(count, (bytes.size() - 2) / RecordSize);
    for (std::size_t k = 0; k < complete; ++k) {
        const char* record = bytes.data() + 2 + k * RecordSize;
        const int x = std::uint8_t(record[0]), y = std::uint8_t(record[1]), l = std::uint8_t(record[2]);
        if (!RoomGrid::inside(x, y, l))
            continue;
        auto room = std::make_unique<TMapRoom>();
        std::memcpy(static_cast<void*>(room.get()), record + 3, sizeof(TMapRoom));
        room->normalise();
        result.rooms.slot(x, y, l) = std::move(room);
        result.last = {x, y, l};
        result.anyRoom = true;
    }
    if (complete < count)
        result.error = ReadBeyondEndOfFile;
    else if (bytes.size() != 2 + count * RecordSize)
        result.error = SizeMismatch;
    return result;
}

std::optional<std::string> MapFile::save(const MapModel& map)
{
    return writeFileAtomically(map.MapFileName, serialise(map.grid));
}

bool MapFile::open(MapModel& map, const std::string& path, Host& host)
{
    map.MapFileName = path;
    if (!fileExists(path)) {
        host.messageBox("Error", "File doesn't exist!", MsgButtons::Ok);
        return false;
    }
    std::string error;
    const std::optional<std::string> bytes = readWholeFile(path, error, MaxFileBytes);
    Parsed parsed = bytes ? parse(*bytes) : Parsed{};
    if (!bytes || !parsed.error.empty()) {
        host.messageBox(AppTitle, bytes ? parsed.error : error, MsgButtons::Ok);
        return false;
    }
    map.takeRooms(std::move(parsed.rooms), parsed.last, parsed.anyRoom);
    return true;
}

} // namespace tw
