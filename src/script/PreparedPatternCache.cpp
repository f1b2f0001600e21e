#include "script/PreparedPatternCache.h"

#include <algorithm>

namespace tw {

namespace {
// Looking at one alias, to compare it or to try it on a pattern, costs about this much.
constexpr std::size_t AliasWork = 8;
} // namespace

void PreparedPatternCache::dropAllIfAliasesChanged(const ScriptState& state)
{
    work_ += state.aliases.size() * AliasWork;
    if (state.aliasesOn == aliasesOn_ && state.aliases == aliases_)
        return;
    aliasesOn_ = state.aliasesOn;
    aliases_ = state.aliases;
    ++generation_;
    for (Entry& entry : entries_)
        entry.kept = false;
}

const PreparedPattern& PreparedPatternCache::prepare(std::size_t index, const std::string& pattern,
                                                     const ScriptState& state)
{
    if (entries_.size() <= index || entries_.size() > state.triggers.size())
        entries_.resize(std::max(index + 1, state.triggers.size()));
    Entry& entry = entries_[index];
    if (entry.kept && entry.pattern == pattern)
        return entry.prepared;

    PreparePattern(pattern, state.aliases, state.aliasesOn, state.captures, fresh_);
    work_ += pattern.size() + fresh_.work.size() + (state.aliasesOn ? state.aliases.size() * AliasWork : 0);
    entry.kept = !fresh_.readsCaptures && fresh_.work.size() <= MaxKeptLength;
    if (!entry.kept)
        return fresh_;
    entry.pattern = pattern;
    entry.prepared.count = fresh_.count;
    for (std::size_t k = 0; k < fresh_.count; ++k)
        entry.prepared.pieces[k] = fresh_.pieces[k];
    return entry.prepared;
}

} // namespace tw
