#include "map/Speedwalk.h"

#include <algorithm>

namespace tw {

namespace {

int cellIndex(const Cell& c) { return int(RoomGrid::ordinal(c)); }

} // namespace

std::optional<std::vector<std::string>> Speedwalk::route(const MapModel& map, const Cell& from,
                                                         const Cell& to)
{
    if (!RoomGrid::inside(from) || !map.room(to.x, to.y, to.level))
        return std::nullopt;
    // Breadth first: each cell remembers the cell and direction it was first reached by.
    struct Visit {
        int previous = -1;
        int direction = 0;
    };
    std::vector<Visit> visits(RoomGrid::CellCount);
    std::vector<Cell> queue{from};
    visits[std::size_t(cellIndex(from))].direction = -1;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const Cell here = queue[head];
        if (here == to)
            break;
        const TMapRoom* room = map.room(here.x, here.y, here.level);
        if (!room)
            continue;
        for (int d = 1; d <= dir::Count; ++d) {
            const MapExit& e = room->exit(d);
            const Cell there{e.x, e.y, e.level};
            if (!e.present() || !map.room(there.x, there.y, there.level))
                continue;
            Visit& v = visits[std::size_t(cellIndex(there))];
            if (v.direction != 0)
                continue;
            v = {cellIndex(here), d};
            queue.push_back(there);
        }
    }
    if (visits[std::size_t(cellIndex(to))].direction == 0)
        return std::nullopt;
    std::vector<std::string> steps;
    for (int at = cellIndex(to); visits[std::size_t(at)].direction > 0; at = visits[std::size_t(at)].previous)
        steps.emplace_back(directionCommand(visits[std::size_t(at)].direction));
    std::reverse(steps.begin(), steps.end());
    return steps;
}

bool Speedwalk::received(AutomapTracker::Outcome outcome, bool atPrompt, bool gameMarksPrompts)
{
    if (!walking())
        return false;
    switch (outcome) {
    case AutomapTracker::Outcome::Refused:
    case AutomapTracker::Outcome::MapFull:
        cancel();
        return false;
    case AutomapTracker::Outcome::Moved:
        wait_ = gameMarksPrompts ? Wait::Prompt : Wait::Quiet;
        break;
    case AutomapTracker::Outcome::Nothing:
        break;
    }
    return wait_ != Wait::FirstLine && atPrompt;
}

} // namespace tw
