#include "core/Session.h"
#include "support/FakeSocketPort.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct Pipeline : ::testing::Test {
    test::RecordingHost host;
    test::FakeSocketPort socket;
    Session session{host, socket};
    std::vector<std::string> order;

    Pipeline()
    {
        session.terminal.setColumnCount(80);
        session.terminal.setRowCount(24);
        session.LoggingOn = true;
        session.logBlock = [this](std::string_view b) { order.push_back("log:" + std::string(b)); };
        session.automapBlock = [this](std::string_view b) { order.push_back("map:" + std::string(b)); };
    }
    const std::string& shown() { return session.terminal.ScrollbackBuffer(); }
};

TEST_F(Pipeline, RepairedBlockGoesToEveryTapInOrder)
{
    using namespace std::string_literals;
    session.MudSockRead("one\n\rtwo\0three"s);
    EXPECT_EQ(order, (std::vector<std::string>{"log:one\r\ntwothree", "map:one\r\ntwothree"}));
    EXPECT_EQ(shown(), "one\r\ntwothree");
}

// A trigger's response leaves before the block is shown and its echo follows the block; the
// log gets the block before the highlight goes in.
TEST_F(Pipeline, TriggerRespondsHighlightsAndEchoesAfterTheBlock)
{
    session.triggers().push_back({"%% tells you '%%'", "tell %0 got %1", "101501"});
    session.MudSockRead("\r\nGuard tells you 'hi'\r\n");
    EXPECT_EQ(host.sent, "tell Guard got hi\r\n");
    EXPECT_EQ(order[0], "log:\r\nGuard tells you 'hi'\r\n");
    // The echo shows the response as written, before its captures are filled in.
    EXPECT_EQ(shown(), "\x1b[c\x1b[1;33;44m\r\nGuard tells you 'hi'\x1b[d\r\ntell %0 got %1\r\n");
}

TEST_F(Pipeline, EchoFollowsTheSettings)
{
    session.triggers().push_back({"hungry", "eat", "100000"});
    session.setup.EchoCommand = false;
    session.setup.EchoEnter = true;
    session.MudSockRead("You are hungry.");
    EXPECT_EQ(shown(), "You are hungry.\r\n");
    session.setup.EchoEnter = false;
    session.MudSockRead("hungry");
    EXPECT_EQ(shown(), "You are hungry.\r\nhungry");
    EXPECT_EQ(host.sent, "eat\r\neat\r\n");
}

TEST_F(Pipeline, StatRollerSeesOnlyShortBlocksWhileRolling)
{
    int examined = 0;
    bool rolling = false;
    session.statRollerRolling = [&] { return rolling; };
    session.statRollerExamine = [&](std::string_view) { return ++examined > 0; };
    session.MudSockRead("Strength: 3");
    EXPECT_EQ(examined, 0);
    rolling = true;
    session.MudSockRead(std::string(256, 'x'));
    EXPECT_EQ(examined, 0);
    session.MudSockRead(std::string(255, 'y'));
    EXPECT_EQ(examined, 1);
    EXPECT_EQ(host.sent, "n\r\n"); // one line end: an empty line would answer the next question
    EXPECT_EQ(shown().substr(shown().size() - 3), "n\r\n");
}

TEST_F(Pipeline, DelayedFiringsCountOnlyWhileTriggersAreOn)
{
    session.triggers().push_back({"foo", "say later", "100000"});
    session.ParseCommand("#DELAY 2 foo");
    session.tick();
    session.parser.setTriggers(false);
    session.tick();
    session.tick();
    EXPECT_EQ(host.sent, "");
    session.parser.setTriggers(true);
    session.tick();
    EXPECT_EQ(host.sent, "say later\r\n");
    EXPECT_EQ(shown(), "say later\r\n");
}

TEST_F(Pipeline, TypedLinesGoThroughTheParser)
{
    session.aliases().push_back({"k", "kill"});
    session.ParseCommand("k orc;n;;s");
    session.ParseCommand("#IF 10 > 9 then say yes else say no");
    EXPECT_EQ(host.sent, "kill orc\r\nn;s\r\nsay yes\r\n");
}

} // namespace
} // namespace tw
