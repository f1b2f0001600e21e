#include "map/RoomNumbers.h"

#include <algorithm>

namespace tw {

std::int64_t RoomNumbers::at(const Cell& cell) const
{
    return RoomGrid::inside(cell) ? byCell_[index(cell)] : 0;
}

std::optional<Cell> RoomNumbers::cellOf(std::int64_t number) const
{
    const auto it = entries_.find(number);
    if (number == 0 || it == entries_.end())
        return std::nullopt;
    return it->second.cell;
}

const std::vector<GameExit>* RoomNumbers::exitsOf(std::int64_t number) const
{
    const auto it = entries_.find(number);
    return number == 0 || it == entries_.end() ? nullptr : &it->second.exits;
}

void RoomNumbers::set(const Cell& cell, std::int64_t number, std::vector<GameExit> exits)
{
    if (!RoomGrid::inside(cell))
        return;
    std::int64_t& here = byCell_[index(cell)];
    if (here != 0 && here != number)
        entries_.erase(here);
    here = 0;
    if (number == 0)
        return;
    if (const auto it = entries_.find(number); it != entries_.end())
        byCell_[index(it->second.cell)] = 0;
    entries_[number] = Room{cell, std::move(exits)};
    here = number;
}

void RoomNumbers::clear()
{
    entries_.clear();
    std::fill(byCell_.begin(), byCell_.end(), 0);
}

void RoomNumbers::shift(int dx, int dy, int dlevel)
{
    std::fill(byCell_.begin(), byCell_.end(), 0);
    for (auto it = entries_.begin(); it != entries_.end();) {
        Cell& c = it->second.cell;
        c = {c.x + dx, c.y + dy, c.level + dlevel};
        if (!RoomGrid::inside(c)) {
            it = entries_.erase(it);
            continue;
        }
        byCell_[index(c)] = it->first;
        ++it;
    }
}

std::vector<RoomNumbers::Entry> RoomNumbers::sorted() const
{
    std::vector<Entry> out;
    out.reserve(entries_.size());
    for (std::size_t i = 0; i < byCell_.size(); ++i)
        if (const std::int64_t n = byCell_[i]) {
            const Room& r = entries_.at(n);
            out.push_back({r.cell, n, &r.exits});
        }
    return out;
}

} // namespace tw
