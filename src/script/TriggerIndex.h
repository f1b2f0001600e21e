#pragma once
// Which triggers may match a received block, found for the whole trigger list in one pass over
// the block: the pieces of every kept pattern are searched for together, and a trigger one of
// whose pieces the block lacks cannot match. Built when the patterns or the aliases that shape
// them change, never per block.
#include "script/MultiPatternSearch.h"
#include "script/PreparedPatternCache.h"
#include "script/ScriptState.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tw {

class TriggerIndex {
public:
    enum class Verdict {
        NotCovered, // the index does not hold the trigger as it is now: search the usual way
        Absent,     // a piece is missing from the block: the trigger cannot match
        Present,    // every piece occurs: search
    };

    // Before a block: compares the aliases and rebuilds the index when the patterns or the
    // aliases changed since it was built. The block is scanned when first asked about.
    void startBlock(const ScriptState& state, PreparedPatternCache& patterns);

    // For trigger index with this pattern, against the block as it is now; patterns is the cache
    // the pieces will be prepared with, for its generation.
    Verdict check(std::size_t index, const std::string& pattern, const PreparedPatternCache& patterns,
                  std::string_view block);

    // Highlights put text into the block at [from, to) of the block as it will be; blockChanged
    // then looks for the pieces that the inserted text made.
    void noteInserted(std::size_t from, std::size_t to) { inserted_.emplace_back(from, to); }
    void blockChanged(std::string_view block);

    // The length of all pieces of a covered trigger.
    std::size_t piecesLength(std::size_t index) const { return entries_[index].piecesLength; }
    // Bytes of blocks scanned so far, over every call.
    std::size_t bytesScanned() const { return scannedBytes_; }

private:
    struct Entry {
        bool covered = false;
        std::uint32_t firstPiece = 0; // into pieceIds_
        std::uint32_t pieceCount = 0;
        std::size_t piecesLength = 0;
    };
    void rebuild(const ScriptState& state, PreparedPatternCache& patterns);

    bool built_ = false, stale_ = false, scanned_ = false;
    std::size_t generation_ = 0, scannedBytes_ = 0;
    std::vector<std::string> patterns_;
    std::vector<Entry> entries_;
    std::vector<std::uint32_t> pieceIds_;
    std::vector<std::pair<std::size_t, std::size_t>> inserted_;
    MultiPatternSearch search_;
};

} // namespace tw
