#include "core/Session.h"
#include "support/FakeSocketPort.h"
#include "support/RecordingHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tw {
namespace {

using test::fileText;
using test::putFile;

struct Log : ::testing::Test {
    test::TempDir dir;
    test::RecordingHost host;
    test::FakeSocketPort socket;
    Session session{host, socket};
    int switchedOff = 0;
    const std::string name = dir.file("game.log");

    Log() { session.sessionLog.switchedOff = [this] { ++switchedOff; }; }

    static std::ptrdiff_t openFiles()
    {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    }

    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            session.tick();
    }
};

// The log appends to what is there, also from a second run, and holds each block as the
// pipeline repaired it: LF CR turned round, cut at the first NUL.
TEST_F(Log, AppendsRepairedBlocksAcrossRuns)
{
    using namespace std::string_literals;
    putFile(name, "earlier\r\n");
    ASSERT_FALSE(session.sessionLog.applyDialog(name, true));
    session.MudSockRead("one\n\rtwo\0three"s);
    {
        test::RecordingHost otherHost;
        Session next{otherHost, socket};
        ASSERT_FALSE(next.sessionLog.applyDialog(name, true));
        next.MudSockRead("\x1b[1mnext\n\r");
    }
    session.sessionLog.close();
    EXPECT_EQ(fileText(name), "earlier\r\none\r\ntwothree\x1b[1mnext\r\n"); // the NUL dropped
    EXPECT_EQ(session.LogFileName, name);
}

// A failed write switches logging off without a word; the block is still shown.
TEST_F(Log, FailedWriteSwitchesLoggingOffSilently)
{
    ASSERT_FALSE(session.sessionLog.applyDialog("/dev/full", true));
    EXPECT_TRUE(session.LoggingOn);
    session.MudSockRead("lost\r\n");
    EXPECT_FALSE(session.LoggingOn);
    EXPECT_FALSE(session.sessionLog.isOpen());
    EXPECT_EQ(switchedOff, 1);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(session.terminal.ScrollbackBuffer(), "lost\r\n");
}

// A name is counted in characters, so a log under a folder named in another script keeps its
// whole name. A file that cannot be opened, or a name longer than 255 characters, is refused
// with its text, and the log goes on as it was: its name, its file, its switch.
TEST_F(Log, RefusedFileOrNameLeavesTheLogAsItWas)
{
    std::string cyrillic;
    for (int i = 0; i < 100; ++i)
        cyrillic += "\xd0\x94";
    const std::string folder = dir.file(cyrillic.c_str()) + "/" + cyrillic;
    std::filesystem::create_directories(folder);
    const std::string deep = folder + "/game.log"; // 236 characters in 436 bytes
    ASSERT_FALSE(session.sessionLog.applyDialog(deep, true));
    session.MudSockRead("kept ");
    const std::string readOnly = dir.file("ro.log");
    putFile(readOnly, "");
    std::filesystem::permissions(readOnly, std::filesystem::perms(0444));
    const std::pair<std::string, std::string> refused[] = {
        {dir.file("missing/game.log"), "File not found"},
        {readOnly, "File is read-only"},
        {folder + "/" + std::string(30, 'x') + ".log", "The log file name is longer than 255 characters."},
    };
    for (const auto& [name, error] : refused) {
        EXPECT_EQ(session.sessionLog.applyDialog(name, true), error) << name;
        EXPECT_EQ(session.LogFileName, deep);
        EXPECT_TRUE(session.LoggingOn);
    }
    session.MudSockRead("going on");
    EXPECT_EQ(fileText(deep), "kept going on");

    // Changing files closes the one before: no file is left open behind the log.
    const auto before = openFiles();
    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(session.sessionLog.applyDialog(i % 2 ? deep : name, true));
    EXPECT_EQ(openFiles(), before);
}

// Ctrl+L only flips the switch: after the dialog closed the file, resuming ends at the next
// block, which is not logged.
TEST_F(Log, ResumingAfterTheDialogClosedTheFileSwitchesOffAtTheNextBlock)
{
    ASSERT_FALSE(session.sessionLog.applyDialog(name, true));
    ASSERT_FALSE(session.sessionLog.applyDialog(name, false));
    EXPECT_FALSE(session.LoggingOn);
    session.LoggingOn = true; // what Ctrl+L does
    session.MudSockRead("not logged");
    EXPECT_FALSE(session.LoggingOn);
    EXPECT_EQ(switchedOff, 1);
    EXPECT_EQ(fileText(name), "");
}

// The file is closed and opened again on the 301st tick with logging on (ticks while it is
// paused do not count) and every 300 ticks after: a log moved away meanwhile keeps its text up
// to the reopen, and the next blocks go to the file of the log's name.
TEST_F(Log, ReopensOnTick301And601)
{
    ASSERT_FALSE(session.sessionLog.applyDialog(name, true));
    const auto moveAway = [&](const char* to) {
        std::filesystem::rename(name, dir.file(to));
        putFile(name, "");
    };
    moveAway("first.log");
    ticks(100);
    session.LoggingOn = false;
    ticks(50);
    session.LoggingOn = true;
    ticks(200);
    session.MudSockRead("a");
    ticks(1);
    session.MudSockRead("b");
    moveAway("second.log");
    ticks(299);
    session.MudSockRead("c");
    ticks(1);
    session.MudSockRead("d");
    EXPECT_EQ(fileText(dir.file("first.log")), "a");
    EXPECT_EQ(fileText(dir.file("second.log")), "bc");
    EXPECT_EQ(fileText(name), "d");
    EXPECT_EQ(session.sessionLog.LogFlushTicks, 1);
    const auto open = openFiles();
    ticks(300);
    EXPECT_EQ(openFiles(), open); // the reopen closed the file first

    // A log whose file has gone cannot be reopened: logging ends silently.
    std::filesystem::remove(name);
    ticks(300);
    EXPECT_FALSE(session.LoggingOn);
    EXPECT_EQ(switchedOff, 1);
}

} // namespace
} // namespace tw
