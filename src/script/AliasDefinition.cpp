#include "script/AliasDefinition.h"

#include "base/ListFileText.h"

namespace tw {

AliasChange DefineAlias(AliasList& aliases, std::string word, std::string expansion)
{
    constexpr std::size_t MaxLength = 255;
    if (word.size() > MaxLength)
        word.resize(MaxLength);
    if (expansion.size() > MaxLength)
        expansion.resize(MaxLength);
    for (AliasEntry& alias : aliases) {
        if (alias.word == word) {
            alias.expansion = std::move(expansion);
            return AliasChange::Altered;
        }
    }
    if (word.empty())
        return AliasChange::Nothing;
    if (aliases.size() >= MaxListEntries)
        return AliasChange::ListFull;
    aliases.push_back({std::move(word), std::move(expansion)});
    return AliasChange::Added;
}

} // namespace tw
