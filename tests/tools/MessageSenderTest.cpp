#include "tools/MessageSender.h"
#include "net/SendQueue.h"
#include "settings/SetupVars.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct Sender : ::testing::Test {
    test::RecordingHost host;
    SendQueue queue{host};
    SetupVars setup;
    MessageSender sender{host, [this](std::string_view t) { queue.SendToMud(t); }, setup};

    std::vector<std::string> boxes() const
    {
        std::vector<std::string> out;
        for (const auto& b : host.boxes)
            out.push_back(b.caption + "|" + b.text);
        return out;
    }
};

std::vector<std::string> numbered(int n)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i)
        lines.push_back(std::to_string(i));
    return lines;
}

std::string plusLines(int from, int to)
{
    std::string out;
    for (int i = from; i <= to; ++i)
        out += "note + " + std::to_string(i) + "\r\n";
    return out;
}

const std::string Head = "note to Bob\r\nnote subject Hi\r\n";

TEST_F(Sender, SendWritesEveryCommandThenPosts)
{
    sender.Send("Bob", "Hi", MessageSender::messageLines({"a", "b", ""}));
    EXPECT_EQ(host.sent, Head + "note + a\r\nnote + b\r\nnote send\r\n");
    EXPECT_EQ(boxes(), (std::vector<std::string>{"Sent|All lines have been sent."}));
    EXPECT_EQ(host.statuses, (std::vector<std::string>{"Writing message...", "Message complete.",
                                                      "Sending message..."}));
}

// Lines as the box displays them: the empty last line does not count, others do.
TEST_F(Sender, WriteSendsTheLinesWithoutPosting)
{
    EXPECT_TRUE(sender.DoMsgWrite("Bob", "Hi", MessageSender::messageLines({"a", "", "b", ""})));
    EXPECT_EQ(host.sent, Head + "note + a\r\nnote + \r\nnote + b\r\n");
    host.sent.clear();
    EXPECT_TRUE(sender.DoMsgWrite("Bob", "Hi", MessageSender::messageLines({""})));
    EXPECT_EQ(host.sent, Head);
    EXPECT_EQ(boxes().back(), "Sent|All lines have been sent.");
}

// After every seventh line the player is asked; Cancel stops the message, and Send then does
// not post it.
TEST_F(Sender, PausesAfterEverySeventhLine)
{
    const std::string pause = "Sending...|Seven lines sent.";
    const std::string sent = "Sent|All lines have been sent.";
    struct Case {
        int lines;
        std::vector<MsgAnswer> answers;
        std::vector<std::string> boxes;
        std::string text;
    };
    const Case cases[] = {
        {7, {MsgAnswer::Ok}, {pause, sent}, Head + plusLines(1, 7) + "note send\r\n"},
        {7, {MsgAnswer::Cancel}, {pause}, Head + plusLines(1, 7)},
        {15, {MsgAnswer::Ok, MsgAnswer::Ok}, {pause, pause, sent}, Head + plusLines(1, 15) + "note send\r\n"},
        {15, {MsgAnswer::Ok, MsgAnswer::Cancel}, {pause, pause}, Head + plusLines(1, 14)},
    };
    for (const Case& c : cases) {
        host.sent.clear();
        host.boxes.clear();
        host.answers.assign(c.answers.begin(), c.answers.end());
        sender.Send("Bob", "Hi", numbered(c.lines));
        EXPECT_EQ(boxes(), c.boxes) << c.lines;
        EXPECT_EQ(host.sent, c.text) << c.lines;
        for (const auto& b : host.boxes)
            EXPECT_EQ(b.buttons, b.caption == "Sent" ? MsgButtons::Ok : MsgButtons::OkCancel);
        if (c.boxes.back() == pause)
            EXPECT_EQ(host.lastStatus(), "Message stopped.");
    }
}

TEST_F(Sender, NothingLeavesWhileNotConnected)
{
    host.connected = false;
    sender.Send("Bob", "Hi", {"a"});
    EXPECT_FALSE(sender.DoMsgWrite("Bob", "Hi", {"a"}));
    EXPECT_EQ(boxes(), (std::vector<std::string>{"Error|You are not connected!",
                                                "Error|You are not connected!"}));
    EXPECT_TRUE(host.writes.empty());
    EXPECT_TRUE(host.statuses.empty());
}

} // namespace
} // namespace tw
