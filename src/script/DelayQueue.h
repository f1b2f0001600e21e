#pragma once
// The pending #DELAY firings, oldest first.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace tw {

struct DelayEntry {
    std::uint16_t countdown = 1; // seconds left before the entry fires
    std::string keyword;         // the trigger pattern whose triggers fire, at most 255 characters
    std::uint64_t id = 0;        // order of arrival; the queue is sorted by it
};

class DelayQueue {
public:
    static constexpr std::size_t MaxKeywordLength = 255;
    // A response that delays on every occurrence of a common word must not fill the memory.
    static constexpr std::size_t MaxEntries = 10000;

    // Appends an entry; counts beyond the 16-bit field are clamped to 65535, counts below 1
    // become 1, the keyword is cut to 255 characters. False when the queue is full.
    bool add(long seconds, std::string keyword);

    // One tick's walk: the entry after `after` (0 = the head) among those whose id is at most
    // `upTo`, or nothing. Entries added while the walk fires others wait for the next tick.
    DelayEntry* next(std::uint64_t after, std::uint64_t upTo);
    // Removes the entry with that id and returns its keyword.
    std::string take(std::uint64_t id);

    std::uint64_t lastId() const { return nextId_ - 1; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const std::deque<DelayEntry>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

private:
    std::deque<DelayEntry> entries_;
    std::uint64_t nextId_ = 1;
};

} // namespace tw
