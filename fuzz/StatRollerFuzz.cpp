// The stat roller's examination of arbitrary received blocks, several in a row, with
// arbitrary box texts: no crash, and a match always stops rolling.
#include "FuzzSession.h"
#include "tools/StatRoller.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    tw::fuzz::NullHost host;
    tw::StatRoller roller(host);
    for (std::string& box : roller.boxes)
        box = in.ConsumeRandomLengthString(4);
    roller.RollBtnClick();
    while (in.remaining_bytes() > 0 && roller.rolling()) {
        const std::string block = in.ConsumeRandomLengthString(tw::StatRoller::MaxBlock);
        const bool reroll = roller.Examine(block);
        if (roller.StatBuffer.size() > tw::StatRoller::MaxBlock || (reroll && host.boxes > 0))
            std::abort();
    }
    return 0;
}
