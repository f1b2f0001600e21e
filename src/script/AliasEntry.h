#pragma once
#include <string>
#include <vector>

namespace tw {

// One alias: a word and the text it stands for. The list keeps duplicates and its order.
struct AliasEntry {
    std::string word;
    std::string expansion;

    std::string line() const { return word + " --> " + expansion; }
    bool operator==(const AliasEntry&) const = default;
};

using AliasList = std::vector<AliasEntry>;

} // namespace tw
