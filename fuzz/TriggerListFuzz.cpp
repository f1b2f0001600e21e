// Arbitrary bytes as a trigger list file (.trg).
#include "ListFileFuzz.h"
#include "script/TriggerListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tw::fuzz::roundTrip<tw::TriggerListFile, tw::TriggerList>(
        std::string_view(reinterpret_cast<const char*>(data), size), [](const tw::TriggerEntry& t, auto check) {
            check(t.pattern);
            check(t.response);
            check(t.switches);
        });
    return 0;
}
