// Arbitrary bytes as a MUD list file (.lst); every port read is also looked up as the socket
// would look it up.
#include "ListFileFuzz.h"
#include "net/SocketNames.h"
#include "settings/MudListFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tw::fuzz::roundTrip<tw::MudListFile, tw::MudList>(
        std::string_view(reinterpret_cast<const char*>(data), size), [](const tw::MudEntry& m, auto check) {
            check(m.name);
            check(m.address);
            check(m.port);
            tw::parsePort(m.port, "tcp");
        });
    return 0;
}
