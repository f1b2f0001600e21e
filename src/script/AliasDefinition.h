#pragma once
// What #ALIAS does to the alias list.
#include "script/AliasEntry.h"

#include <string>

namespace tw {

enum class AliasChange { Altered, Added, Nothing, ListFull };

// The first alias whose word equals word exactly gets the new expansion; otherwise a
// non-empty word is appended with it, unless the list is as long as an options file can keep.
// Both texts are cut to 255 characters.
AliasChange DefineAlias(AliasList& aliases, std::string word, std::string expansion);

} // namespace tw
