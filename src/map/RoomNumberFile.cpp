#include "map/RoomNumberFile.h"

#include "base/FileIo.h"
#include "base/Host.h"
#include "map/AutomapTracker.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <vector>

namespace tw {

namespace {

// The longest line the program writes: the cell, a room number and ten exits, every number
// as long as a 64-bit one gets. A full map's file stays well inside the reading limit, so the
// program can always read back what it wrote.
constexpr std::size_t LongestLine = 9 + 20 + dir::Count * 24 + 1;
static_assert(RoomNumberFile::Header.size() + 1 + RoomGrid::CellCount * LongestLine < MaxListFileBytes);

// A room is never numbered 0, but an exit may lead to a room the game numbers 0.
std::optional<std::int64_t> number(std::string_view text, bool zeroAllowed = false)
{
    std::int64_t n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || (n == 0 && !zeroAllowed))
        return std::nullopt;
    return n;
}

// The words of a line, split at spaces.
std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> out;
    while (!line.empty()) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        line.remove_prefix(start);
        const std::size_t end = std::min(line.find(' '), line.size());
        out.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
    return out;
}

// One room's line; nothing when it is not one the program wrote, or its cell holds no room.
bool readLine(std::string_view line, const RoomGrid& grid, RoomNumbers& numbers)
{
    const std::vector<std::string_view> w = words(line);
    if (w.size() < 4 || w.size() > 4 + dir::Count)
        return false;
    std::int64_t values[4];
    for (int i = 0; i < 4; ++i) {
        const auto n = number(w[std::size_t(i)]);
        if (!n)
            return false;
        values[i] = *n;
    }
    const Cell cell{int(values[0]), int(values[1]), int(values[2])};
    if (values[0] != cell.x || values[1] != cell.y || values[2] != cell.level || !grid.at(cell))
        return false;
    std::vector<GameExit> exits;
    for (std::size_t i = 4; i < w.size(); ++i) {
        const std::size_t eq = w[i].find('=');
        const int d = movementDirection(w[i].substr(0, eq));
        const auto to = eq == std::string_view::npos ? std::nullopt : number(w[i].substr(eq + 1), true);
        if (d == dir::None || !to)
            return false;
        exits.push_back({d, *to});
    }
    numbers.set(cell, values[3], std::move(exits));
    return true;
}

} // namespace

std::string RoomNumberFile::serialise(const RoomNumbers& numbers)
{
    std::string out(Header);
    out += '\n';
    for (const RoomNumbers::Entry& e : numbers.sorted()) {
        out += std::to_string(e.cell.x) + ' ' + std::to_string(e.cell.y) + ' ' +
               std::to_string(e.cell.level) + ' ' + std::to_string(e.number);
        for (const GameExit& x : *e.exits)
            out += std::string(" ") + directionCommand(x.direction) + '=' + std::to_string(x.number);
        out += '\n';
    }
    return out;
}

RoomNumberFile::Parsed RoomNumberFile::parse(std::string_view text, const RoomGrid& grid)
{
    Parsed result;
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (std::exchange(first, false)) {
            if (line != Header)
                return result;
            continue;
        }
        if (!line.empty() && !readLine(line, grid, result.numbers))
            ++result.skipped;
    }
    return result;
}

std::optional<std::string> RoomNumberFile::save(const MapModel& map, const std::string& mapPath)
{
    const std::string path = pathBeside(mapPath);
    if (map.numbers.empty() && !fileExists(path))
        return std::nullopt;
    return writeFileAtomically(path, serialise(map.numbers));
}

void RoomNumberFile::open(MapModel& map, const std::string& mapPath, Host& host)
{
    const std::string path = pathBeside(mapPath);
    if (!pathExists(path))
        return;
    std::string error;
    const std::optional<std::string> text = readWholeFile(path, error);
    if (!text) {
        host.messageBox(AppTitle, "The room numbers in " + path + " could not be read: " + error + ".",
                        MsgButtons::Ok);
        return;
    }
    Parsed parsed = parse(*text, map.grid);
    map.numbers = std::move(parsed.numbers);
    map.markSaved();
    if (parsed.skipped == 1)
        host.messageBox(AppTitle, "1 line of " + path + " does not fit this map; its room number was left out.",
                        MsgButtons::Ok);
    else if (parsed.skipped > 1)
        host.messageBox(AppTitle,
                        std::to_string(parsed.skipped) + " lines of " + path +
                            " do not fit this map; their room numbers were left out.",
                        MsgButtons::Ok);
}

} // namespace tw
