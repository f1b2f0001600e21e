// Arbitrary bytes as an alias list file (.als).
#include "ListFileFuzz.h"
#include "script/AliasListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tw::fuzz::roundTrip<tw::AliasListFile, tw::AliasList>(
        std::string_view(reinterpret_cast<const char*>(data), size), [](const tw::AliasEntry& a, auto check) {
            check(a.word);
            check(a.expansion);
        });
    return 0;
}
