#include "map/AutomapTracker.h"

#include "base/Host.h"

namespace tw {

int movementDirection(std::string_view text)
{
    static constexpr std::string_view Lower[] = {"n", "s", "w", "e", "nw", "ne", "sw", "se", "u", "d"};
    static constexpr std::string_view Upper[] = {"N", "S", "W", "E", "NW", "NE", "SW", "SE", "U", "D"};
    for (int d = 1; d <= dir::Count; ++d)
        if (text == Lower[d - 1] || text == Upper[d - 1])
            return d;
    return dir::None;
}

void AutomapTracker::command(std::string_view text)
{
    if (!map_.active || text.size() > 2)
        return;
    if (const int d = movementDirection(text))
        map_.PendingMove = d;
    map_.PendingRoomText.clear();
}

AutomapTracker::Outcome AutomapTracker::receive(std::string_view block)
{
    if (!map_.active || map_.PendingMove <= 0)
        return Outcome::Nothing;
    std::string& text = map_.PendingRoomText;
    const std::size_t cr = block.find('\r');
    const std::string_view part = block.substr(0, cr);
    text.append(part.substr(0, MaxPendingText - std::min(text.size(), MaxPendingText)));
    if (cr == std::string_view::npos)
        return Outcome::Nothing;

    if (text == "Alas, you cannot go that way." || text.find("is closed.") != std::string::npos) {
        map_.PendingMove = 0;
        text.clear();
        return Outcome::Refused;
    }
    if (!makeRoomAtEdge())
        return Outcome::MapFull;

    const Step s = directionStep(map_.PendingMove);
    map_.MapX += s.dx;
    map_.MapY += s.dy;
    map_.MapLevel += s.dlevel;
    map_.CreateMap(map_.MapX, map_.MapY, map_.MapLevel, map_.PendingMove);
    if (TMapRoom* room = map_.room(map_.MapX, map_.MapY, map_.MapLevel))
        room->title.set(text);
    map_.PendingMove = 0;
    text.clear();
    return Outcome::Moved;
}

AutomapTracker::Outcome AutomapTracker::gameRoom(const GameRoom& room)
{
    (void)room;
    return Outcome::Nothing;
}

void AutomapTracker::connectionStarted() {}

// Shifts the map away from every edge the pending move would cross. When the far edge is
// taken the map is full that way: the move is dropped and the automapper switches off.
bool AutomapTracker::makeRoomAtEdge()
{
    struct EdgeRow {
        int codes[3];
        bool (*onEdge)(const MapModel&);
        void (MapModel::*shift)();
    };
    static const EdgeRow Rows[] = {
        {{dir::North, dir::NorthWest, dir::NorthEast}, [](const MapModel& m) { return m.MapY == 1; }, &MapModel::ShiftSouth},
        {{dir::South, dir::SouthWest, dir::SouthEast}, [](const MapModel& m) { return m.MapY == RoomGrid::Rows; }, &MapModel::ShiftNorth},
        {{dir::West, dir::NorthWest, dir::SouthWest}, [](const MapModel& m) { return m.MapX == 1; }, &MapModel::ShiftEast},
        {{dir::East, dir::NorthEast, dir::SouthEast}, [](const MapModel& m) { return m.MapX == RoomGrid::Columns; }, &MapModel::ShiftWest},
        {{dir::Up, dir::Up, dir::Up}, [](const MapModel& m) { return m.MapLevel == RoomGrid::Levels; }, &MapModel::ShiftDown},
        {{dir::Down, dir::Down, dir::Down}, [](const MapModel& m) { return m.MapLevel == 1; }, &MapModel::ShiftUp},
    };
    for (const EdgeRow& row : Rows) {
        const int move = map_.PendingMove;
        if (move != row.codes[0] && move != row.codes[1] && move != row.codes[2])
            continue;
        if (!row.onEdge(map_))
            continue;
        (map_.*row.shift)();
        if (!map_.ShiftOk) {
            map_.PendingMove = 0;
            map_.ShiftOk = true;
            map_.active = false;
            host_.setStatus("AutoMap at max size");
            return false;
        }
    }
    return true;
}

} // namespace tw
