// The stat roller's examination of arbitrary received blocks, several in a row, with
// arbitrary box texts: no crash, and a match always stops rolling.
#include "base/Host.h"
#include "tools/StatRoller.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

struct QuietHost : tw::Host {
    bool socketConnected() const override { return true; }
    std::size_t socketWrite(std::string_view data) override { return data.size(); }
    void setStatus(const std::string&) override {}
    void setMudName(const std::string&) override {}
    tw::MsgAnswer messageBox(const std::string&, const std::string&, tw::MsgButtons) override
    {
        ++boxes;
        return tw::MsgAnswer::Ok;
    }
    void terminalChanged() override {}
    void runHelp(const std::string&) override {}
    void runEditor(const std::string&, const std::string&) override {}
    void playSound(const std::string&) override {}
    void stopSound() override {}
    void showStatRoller() override {}
    int boxes = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    QuietHost host;
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
