// 50 MB of game text through the whole receive pipeline, with triggers that highlight,
// capture and answer: the resident size of the process stays within a fixed bound.
#include "core/Session.h"
#include "support/FakeSocketPort.h"
#include "support/RecordingHost.h"
#include "support/ResidentSize.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using test::MiB;

// Records nothing of what it is given, so that only the program's own memory grows.
struct CountingHost : test::RecordingHost {
    std::size_t written = 0, statusCount = 0;
    std::size_t socketWrite(std::string_view data) override
    {
        written += data.size();
        return data.size();
    }
    void setStatus(const std::string&) override { ++statusCount; }
    void terminalChanged() override {}
    void terminalTextAdded(std::string_view) override {}
};

TEST(MemoryBound, FiftyMegabytesThroughThePipelineStayWithinABound)
{
    CountingHost host;
    test::FakeSocketPort socket;
    socket.isConnected = true;
    Session session(host, socket);
    session.triggers() = {
        {"%% tells you '%%'", "tell %0 %1", "101501"},
        {"You are hungry.", "eat", "100900"},
        {"arrives", "", "100304"},
    };
    session.LoggingOn = true;
    std::size_t logged = 0;
    session.logBlock = [&](std::string_view block) { logged += block.size(); };
    session.map.active = true;

    std::string text;
    for (int i = 0; text.size() < 256 * 1024; ++i) {
        text += "\x1b[1;36mThe Temple Square\x1b[0m\n\r";
        text += "A guard tells you 'move along " + std::to_string(i) + "'\n\r";
        text += "You are hungry.\n\rAn orc arrives from the north.\n\r\x1b[32mHP: 120/130 > ";
    }
    constexpr std::size_t Total = 50 * MiB, Read = 16 * 1024;
    std::size_t baseline = 0, peak = 0;
    for (std::size_t done = 0; done < Total; done += Read) {
        const std::size_t at = done % text.size();
        session.socketRead(std::string_view(text).substr(at, std::min(Read, text.size() - at)));
        if (done == 2 * MiB)
            baseline = test::residentBytes();
        if (done % MiB == 0)
            peak = std::max(peak, test::residentBytes());
    }
    EXPECT_GT(logged, 45 * MiB);
    EXPECT_GT(host.written, 0u);
    EXPECT_LE(session.terminal.ScrollbackBuffer().size(), session.terminal.ScrollbackCapacity());
    EXPECT_LT(peak, baseline + 16 * MiB) << "baseline " << baseline / MiB << " MiB, peak " << peak / MiB << " MiB";
}

} // namespace
} // namespace tw
