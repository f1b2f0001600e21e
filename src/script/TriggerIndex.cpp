#include "script/TriggerIndex.h"

#include <algorithm>
#include <array>

namespace tw {

void TriggerIndex::startBlock(const ScriptState& state, PreparedPatternCache& patterns)
{
    patterns.refresh(state);
    if (!built_ || stale_ || generation_ != patterns.generation())
        rebuild(state, patterns);
    scanned_ = false;
    inserted_.clear();
}

void TriggerIndex::rebuild(const ScriptState& state, PreparedPatternCache& patterns)
{
    search_.clear();
    pieceIds_.clear();
    const std::size_t count = state.triggers.size();
    patterns_.resize(count);
    entries_.assign(count, Entry{});
    std::array<std::string_view, PreparedPattern::MaxPieces> pieces;
    std::array<std::uint32_t, PreparedPattern::MaxPieces> ids;
    for (std::size_t i = 0; i < count; ++i) {
        patterns_[i] = state.triggers[i].pattern;
        const PreparedPattern& prepared = patterns.prepare(i, patterns_[i], state);
        // Patterns that read the capture slots change within a block; they go the usual way.
        if (!patterns.isKept(i) || prepared.count == 0)
            continue;
        for (std::size_t k = 0; k < prepared.count; ++k)
            pieces[k] = prepared.piece(k);
        if (!search_.addGroup(pieces.data(), prepared.count, ids.data()))
            continue;
        Entry& entry = entries_[i];
        entry.covered = true;
        entry.firstPiece = static_cast<std::uint32_t>(pieceIds_.size());
        entry.pieceCount = static_cast<std::uint32_t>(prepared.count);
        for (std::size_t k = 0; k < prepared.count; ++k)
            entry.piecesLength += pieces[k].size();
        pieceIds_.insert(pieceIds_.end(), ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(prepared.count));
    }
    search_.build();
    generation_ = patterns.generation();
    built_ = true;
    stale_ = false;
}

TriggerIndex::Verdict TriggerIndex::check(std::size_t index, const std::string& pattern,
                                          const PreparedPatternCache& patterns, std::string_view block)
{
    // A response that changed the aliases, or a dialog that changed the list while a response
    // waited, leaves the rest of this block to the usual search and the next to a new index.
    if (generation_ != patterns.generation())
        return Verdict::NotCovered;
    if (index >= entries_.size() || patterns_[index] != pattern) {
        stale_ = true;
        return Verdict::NotCovered;
    }
    const Entry& entry = entries_[index];
    if (!entry.covered)
        return Verdict::NotCovered;
    if (!scanned_) {
        search_.restart();
        search_.scan(block, 0, block.size());
        scannedBytes_ += block.size();
        scanned_ = true;
    }
    for (std::uint32_t k = 0; k < entry.pieceCount; ++k)
        if (!search_.found(pieceIds_[entry.firstPiece + k]))
            return Verdict::Absent;
    return Verdict::Present;
}

void TriggerIndex::blockChanged(std::string_view block)
{
    if (!scanned_) {
        inserted_.clear();
        return;
    }
    // A piece that occurs now and did not before holds inserted bytes, so it lies within its
    // length of an insertion; what the insertions split may be reported still, which only
    // costs a search.
    const std::size_t reach = search_.longest() > 0 ? search_.longest() - 1 : 0;
    std::size_t total = 0;
    std::vector<std::pair<std::size_t, std::size_t>>& windows = inserted_;
    std::size_t merged = 0;
    for (const auto& [from, to] : inserted_) {
        const std::size_t start = from > reach ? from - reach : 0, end = std::min(block.size(), to + reach);
        if (merged > 0 && start <= windows[merged - 1].second)
            windows[merged - 1].second = std::max(windows[merged - 1].second, end);
        else
            windows[merged++] = {start, end};
    }
    windows.resize(merged);
    for (const auto& [from, to] : windows)
        total += to - from;
    if (total >= block.size()) {
        search_.scan(block, 0, block.size());
        total = block.size();
    } else {
        for (const auto& [from, to] : windows)
            search_.scan(block, from, to);
    }
    scannedBytes_ += total;
    inserted_.clear();
}

} // namespace tw
