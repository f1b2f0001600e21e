#include "map/AutomapTracker.h"

#include "base/Host.h"
#include "base/TextCut.h"

#include <utility>

namespace tw {

int movementDirection(std::string_view text)
{
    static constexpr std::string_view Upper[] = {"N", "S", "W", "E", "NW", "NE", "SW", "SE", "U", "D"};
    for (int d = 1; d <= dir::Count; ++d)
        if (text == directionCommand(d) || text == Upper[d - 1])
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
    if (followsGame_) {
        // The game says where the player goes; the text only tells of a refusal.
        map_.PendingMove = 0;
        text.clear();
        return Outcome::Nothing;
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
    followsGame_ = true;
    const std::optional<GameRoom> before = std::exchange(previous_, room);
    if (!map_.active || room.number == 0)
        return Outcome::Nothing;
    map_.PendingMove = 0;
    map_.PendingRoomText.clear();
    const Cell here = map_.position();
    if (map_.numbers.at(here) == room.number) {
        lost_ = false;
        describe(room, false);
        return Outcome::Nothing;
    }
    if (const std::optional<Cell> known = map_.numbers.cellOf(room.number)) {
        setPosition(*known);
        lost_ = false;
        describe(room, false);
        return Outcome::Moved;
    }
    if (!lost_ && map_.numbers.at(here) == 0) {
        // The first room the game names on this map is the room the map stands in; when the
        // automapper was switched on after the game had named one, that one is.
        if (!map_.RoomExists(here.x, here.y, here.level))
            map_.InitRoom(here.x, here.y, here.level);
        const bool earlier = before && before->number != room.number && !map_.numbers.cellOf(before->number);
        describe(earlier ? *before : room, true);
        if (!earlier)
            return Outcome::Moved;
    }
    if (const std::optional<Way> way = wayFrom(before, room))
        return place(room, *way);
    return lose();
}

void AutomapTracker::connectionStarted()
{
    followsGame_ = false;
    lost_ = false;
    previous_.reset();
}

void AutomapTracker::positionSetByHand()
{
    if (!map_.active || !previous_ || map_.numbers.cellOf(previous_->number) ||
        map_.numbers.at(map_.position()) != 0 || !map_.RoomExists(map_.MapX, map_.MapY, map_.MapLevel))
        return;
    lost_ = false;
    describe(*previous_, true);
}

std::optional<AutomapTracker::Way> AutomapTracker::wayFrom(const std::optional<GameRoom>& before,
                                                           const GameRoom& room) const
{
    if (!before)
        return std::nullopt;
    const std::optional<Cell> from = map_.numbers.cellOf(before->number);
    if (!from)
        return std::nullopt;
    for (const GameExit& e : before->exits)
        if (e.number == room.number && e.direction >= 1 && e.direction <= dir::Count)
            return Way{*from, e.direction};
    return std::nullopt;
}

AutomapTracker::Outcome AutomapTracker::place(const GameRoom& room, const Way& way)
{
    setPosition(way.from);
    map_.PendingMove = way.direction;
    if (!makeRoomAtEdge())
        return Outcome::MapFull;
    map_.PendingMove = 0;
    const Step s = directionStep(way.direction);
    const Cell target{map_.MapX + s.dx, map_.MapY + s.dy, map_.MapLevel + s.dlevel};
    if (map_.numbers.at(target) != 0)
        return lose();
    // A room already there without a number (drawn by hand, or mapped from the text) is taken
    // to be this one.
    if (!map_.RoomExists(target.x, target.y, target.level))
        map_.InitRoom(target.x, target.y, target.level);
    setPosition(target);
    describe(room, true);
    return Outcome::Moved;
}

AutomapTracker::Outcome AutomapTracker::lose()
{
    lost_ = true;
    host_.setStatus(LostText);
    return Outcome::Nothing;
}

void AutomapTracker::setPosition(const Cell& cell)
{
    map_.MapX = cell.x;
    map_.MapY = cell.y;
    map_.MapLevel = cell.level;
}

void AutomapTracker::describe(const GameRoom& room, bool takeName)
{
    const Cell here = map_.position();
    TMapRoom* self = map_.room(here.x, here.y, here.level);
    if (!self)
        return;
    if (takeName && !room.name.empty())
        self->title.set(cutToBytes(room.name, RoomText::Capacity, TextCoding::Utf8));
    map_.numbers.set(here, room.number, room.exits);
    const auto exitTo = [](const Cell& c) { return MapExit{std::uint8_t(c.x), std::uint8_t(c.y), std::uint8_t(c.level)}; };
    const auto valid = [](int d) { return d >= 1 && d <= dir::Count; };
    for (const GameExit& e : room.exits)
        if (const std::optional<Cell> to = map_.numbers.cellOf(e.number); to && valid(e.direction))
            self->exit(e.direction) = exitTo(*to);
    for (const RoomNumbers::Entry& entry : map_.numbers.sorted())
        for (const GameExit& e : *entry.exits)
            if (e.number == room.number && valid(e.direction))
                if (TMapRoom* other = map_.room(entry.cell.x, entry.cell.y, entry.cell.level))
                    other->exit(e.direction) = exitTo(here);
}

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
