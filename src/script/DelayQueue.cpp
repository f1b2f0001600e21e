#include "script/DelayQueue.h"

#include <algorithm>

namespace tw {

bool DelayQueue::add(long seconds, std::string keyword)
{
    if (entries_.size() >= MaxEntries)
        return false;
    if (keyword.size() > MaxKeywordLength)
        keyword.resize(MaxKeywordLength);
    const long count = std::clamp(seconds, 1L, 65535L);
    entries_.push_back({static_cast<std::uint16_t>(count), std::move(keyword), nextId_++});
    return true;
}

DelayEntry* DelayQueue::next(std::uint64_t after, std::uint64_t upTo)
{
    auto it = std::upper_bound(entries_.begin(), entries_.end(), after,
                               [](std::uint64_t id, const DelayEntry& e) { return id < e.id; });
    if (it == entries_.end() || it->id > upTo)
        return nullptr;
    return &*it;
}

std::string DelayQueue::take(std::uint64_t id)
{
    auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                               [](const DelayEntry& e, std::uint64_t v) { return e.id < v; });
    if (it == entries_.end() || it->id != id)
        return {};
    std::string keyword = std::move(it->keyword);
    entries_.erase(it);
    return keyword;
}

} // namespace tw
