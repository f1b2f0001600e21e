#include "map/MapModel.h"

#include <algorithm>

namespace tw {

namespace {

constexpr int StartX = 15, StartY = 15, StartLevel = 5;

// The six straight neighbours in the order CreateMap visits them.
constexpr int StraightDirections[] = {dir::North, dir::South, dir::West, dir::East, dir::Up, dir::Down};

MapExit exitTo(int x, int y, int level)
{
    return {std::uint8_t(x), std::uint8_t(y), std::uint8_t(level)};
}

} // namespace

void MapModel::newMap()
{
    grid.clear();
    numbers.clear();
    MapX = StartX;
    MapY = StartY;
    MapLevel = StartLevel;
    ViewLevel = StartLevel;
    MapFileName.clear();
    ExportFileName.clear();
    LastMouseX = LastMouseY = 0;
    PendingMove = 0;
    PendingRoomText.clear();
    InitRoom(StartX, StartY, StartLevel);
    markSaved();
}

void MapModel::InitRoom(int x, int y, int level)
{
    if (RoomGrid::inside(x, y, level)) {
        grid.slot(x, y, level) = std::make_unique<TMapRoom>(TMapRoom::defaultRoom());
        numbers.erase({x, y, level});
    }
}

bool MapModel::CreateMap(int x, int y, int level, int direction)
{
    if (!RoomGrid::inside(x, y, level))
        return false;
    const bool existed = RoomExists(x, y, level);
    if (!existed)
        InitRoom(x, y, level);
    if (existed && direction == dir::None)
        return true;
    TMapRoom& self = *room(x, y, level);
    for (const int d : StraightDirections) {
        // A neighbour is linked when the player came from it, or on every side for a room made
        // by hand.
        if (direction != dir::None && direction != oppositeDirection(d))
            continue;
        const Step s = directionStep(d);
        TMapRoom* other = room(x + s.dx, y + s.dy, level + s.dlevel);
        if (!other)
            continue;
        self.exit(d) = exitTo(x + s.dx, y + s.dy, level + s.dlevel);
        other->exit(oppositeDirection(d)) = exitTo(x, y, level);
    }
    return existed;
}

void MapModel::DeleteRoom(int x, int y, int level)
{
    if (!RoomGrid::inside(x, y, level))
        return;
    grid.slot(x, y, level).reset();
    numbers.erase({x, y, level});
    for (const int d : StraightDirections) {
        const Step s = directionStep(d);
        if (TMapRoom* other = room(x + s.dx, y + s.dy, level + s.dlevel))
            other->exit(oppositeDirection(d)) = MapExit{};
    }
}

bool MapModel::anyRoomWhere(bool (*onEdge)(int x, int y, int level)) const
{
    for (int x = 1; x <= RoomGrid::Columns; ++x)
        for (int y = 1; y <= RoomGrid::Rows; ++y)
            for (int l = 1; l <= RoomGrid::Levels; ++l)
                if (onEdge(x, y, l) && grid.at(x, y, l))
                    return true;
    return false;
}

bool MapModel::NorthEdgeUsed() const { return anyRoomWhere([](int, int y, int) { return y == 1; }); }
bool MapModel::SouthEdgeUsed() const { return anyRoomWhere([](int, int y, int) { return y == RoomGrid::Rows; }); }
bool MapModel::WestEdgeUsed() const { return anyRoomWhere([](int x, int, int) { return x == 1; }); }
bool MapModel::EastEdgeUsed() const { return anyRoomWhere([](int x, int, int) { return x == RoomGrid::Columns; }); }
bool MapModel::BottomLevelUsed() const { return anyRoomWhere([](int, int, int l) { return l == 1; }); }
bool MapModel::TopLevelUsed() const { return anyRoomWhere([](int, int, int l) { return l == RoomGrid::Levels; }); }

void MapModel::ShiftNorth() { shiftUnless(NorthEdgeUsed(), 0, -1, 0); }
void MapModel::ShiftSouth() { shiftUnless(SouthEdgeUsed(), 0, 1, 0); }
void MapModel::ShiftWest() { shiftUnless(WestEdgeUsed(), -1, 0, 0); }
void MapModel::ShiftEast() { shiftUnless(EastEdgeUsed(), 1, 0, 0); }
void MapModel::ShiftUp() { shiftUnless(TopLevelUsed(), 0, 0, 1); }
void MapModel::ShiftDown() { shiftUnless(BottomLevelUsed(), 0, 0, -1); }

// A room on the edge the rooms move towards would be pushed off the grid; otherwise every
// room lands inside it.
void MapModel::shiftUnless(bool edgeUsed, int dx, int dy, int dlevel)
{
    ShiftOk = !edgeUsed;
    if (!ShiftOk)
        return;
    RoomGrid moved;
    for (int x = 1; x <= RoomGrid::Columns; ++x)
        for (int y = 1; y <= RoomGrid::Rows; ++y)
            for (int l = 1; l <= RoomGrid::Levels; ++l) {
                std::unique_ptr<TMapRoom>& from = grid.slot(x, y, l);
                if (!from)
                    continue;
                for (MapExit& e : from->exits) {
                    if (!e.present())
                        continue;
                    e.x = std::uint8_t(e.x + dx);
                    e.y = std::uint8_t(e.y + dy);
                    e.level = std::uint8_t(e.level + dlevel);
                }
                moved.slot(x + dx, y + dy, l + dlevel) = std::move(from);
            }
    grid = std::move(moved);
    numbers.shift(dx, dy, dlevel);
    // The position follows the rooms but stays on the grid, also when it stood on an empty
    // edge cell; the viewed level follows vertical shifts within 1..10.
    MapX = std::clamp(MapX + dx, 1, RoomGrid::Columns);
    MapY = std::clamp(MapY + dy, 1, RoomGrid::Rows);
    MapLevel = std::clamp(MapLevel + dlevel, 1, RoomGrid::Levels);
    ViewLevel = std::clamp(ViewLevel + dlevel, 1, RoomGrid::Levels);
}

std::uint64_t MapModel::roomsDigest() const
{
    // FNV-1a over each room's cell and content; texts count as far as their length goes.
    std::uint64_t h = 14695981039346656037ull;
    const auto byte = [&h](int b) { h = (h ^ std::uint8_t(b)) * 1099511628211ull; };
    const auto text = [&byte](const RoomText& t) {
        byte(int(t.view().size()));
        for (const char c : t.view())
            byte(c);
    };
    for (int x = 1; x <= RoomGrid::Columns; ++x)
        for (int y = 1; y <= RoomGrid::Rows; ++y)
            for (int l = 1; l <= RoomGrid::Levels; ++l) {
                const TMapRoom* r = room(x, y, l);
                if (!r)
                    continue;
                for (const int b : {x, y, l})
                    byte(b);
                text(r->title);
                for (const RoomText& line : r->description)
                    text(line);
                for (const MapExit& e : r->exits)
                    for (const int b : {e.x, e.y, e.level})
                        byte(b);
            }
    const auto number = [&byte](std::int64_t n) {
        for (int i = 0; i < 8; ++i)
            byte(int((std::uint64_t(n) >> (8 * i)) & 255));
    };
    for (const RoomNumbers::Entry& e : numbers.sorted()) {
        for (const int b : {e.cell.x, e.cell.y, e.cell.level})
            byte(b);
        number(e.number);
        for (const GameExit& x : *e.exits) {
            byte(x.direction);
            number(x.number);
        }
    }
    return h;
}

void MapModel::takeRooms(RoomGrid&& rooms, Cell last, bool anyRoom)
{
    grid = std::move(rooms);
    numbers.clear();
    const Cell at = anyRoom ? last : Cell{StartX, StartY, StartLevel};
    MapX = at.x;
    MapY = at.y;
    MapLevel = at.level;
    ViewLevel = at.level;
    markSaved();
}

} // namespace tw
