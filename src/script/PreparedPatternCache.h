#pragma once
// The prepared patterns of the trigger list, kept from one received block to the next: a
// pattern is prepared again only when it, the aliases, the aliases toggle or (for a pattern
// that names a capture slot) the capture slots may have changed.
#include "script/ScriptState.h"
#include "script/TriggerPattern.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tw {

class PreparedPatternCache {
public:
    // Longest expanded pattern kept; longer ones are prepared afresh each time, so that the
    // cache holds at most this much per trigger.
    static constexpr std::size_t MaxKeptLength = 4096;

    // The pieces of trigger index's pattern, equal to what PreparePattern gives for the state
    // as it is now, provided refresh was called since the aliases last changed. The result
    // stays valid until the next call.
    const PreparedPattern& prepare(std::size_t index, const std::string& pattern, const ScriptState& state);

    // The aliases or their toggle may have been changed since the last call (a new block, or a
    // response ran): compares them with the ones the cache was built with, dropping what was
    // prepared with others.
    void refresh(const ScriptState& state) { dropAllIfAliasesChanged(state); }

    // Counts the times the kept patterns were dropped: what was built from them while this
    // stays the same still holds.
    std::size_t generation() const { return generation_; }
    // Whether the last prepare of trigger index kept its result: its pieces stay the same
    // until the pattern or the generation changes.
    bool isKept(std::size_t index) const { return index < entries_.size() && entries_[index].kept; }

    // Work done so far preparing patterns and comparing aliases, in bytes handled, over every
    // call; a kept pattern costs nothing.
    std::size_t workDone() const { return work_; }

private:
    struct Entry {
        bool kept = false;
        std::string pattern;
        PreparedPattern prepared; // its working buffers stay empty
    };

    void dropAllIfAliasesChanged(const ScriptState& state);

    std::vector<Entry> entries_;
    AliasList aliases_;
    bool aliasesOn_ = false;
    std::size_t generation_ = 0;
    PreparedPattern fresh_;
    std::size_t work_ = 0;
};

} // namespace tw
