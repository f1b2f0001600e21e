#include "net/BlockRepair.h"
#include "net/SendQueue.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tw {
namespace {

TEST(SendQueue, DropsTextWhileNotConnected)
{
    test::RecordingHost host;
    host.connected = false;
    SendQueue q(host);
    q.SendToMud("look\r\n");
    EXPECT_TRUE(host.writes.empty());
    EXPECT_FALSE(q.PendingOutput);
}

// A send the socket takes only in part is completed by the following write-ready events, in
// order, and texts sent meanwhile follow it.
TEST(SendQueue, PartialWritesCompleteInOrder)
{
    test::RecordingHost host;
    host.acceptLimit = 4;
    SendQueue q(host);
    q.SendToMud("0123456789");
    EXPECT_EQ(*q.PendingOutput, "456789");
    q.SendToMud("AB");
    EXPECT_EQ(host.writes.size(), 1u); // nothing written while text is pending
    q.MudSockWrite();
    EXPECT_EQ(host.sent, "01234567");
    q.MudSockWrite();
    EXPECT_EQ(host.sent, "0123456789AB");
    EXPECT_FALSE(q.PendingOutput);
    q.MudSockWrite();
    EXPECT_EQ(host.writes.size(), 3u);
}

TEST(SendQueue, WriteErrorKeepsTheTextAndIsShown)
{
    struct FailingHost : test::RecordingHost {
        std::size_t socketWrite(std::string_view) override
        {
            throw std::runtime_error("Error 10054 (Connection reset by peer) sending");
        }
    } host;
    SendQueue q(host);
    q.SendToMud("say hi\r\n");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Tarnwick 5");
    EXPECT_EQ(host.boxes[0].text, "Error 10054 (Connection reset by peer) sending");
    EXPECT_EQ(*q.PendingOutput, "say hi\r\n");
}

TEST(SendQueue, DiscardDropsLeftoversOfTheEndedConnection)
{
    test::RecordingHost host;
    host.acceptLimit = 2;
    SendQueue q(host);
    q.SendToMud("secret\r\n");
    q.discard();
    host.acceptLimit = std::string::npos;
    q.SendToMud("n\r\n");
    EXPECT_EQ(host.sent, "sen\r\n");
}

// A game that never reads cannot make the queue grow without bound.
TEST(SendQueue, PendingTextIsCappedForAGameThatDoesNotRead)
{
    test::RecordingHost host;
    host.acceptLimit = 0;
    SendQueue q(host);
    const std::string line(1000, 'x');
    for (int i = 0; i < 5000; ++i)
        q.SendToMud(line);
    EXPECT_LE(q.PendingOutput->size(), SendQueue::PendingLimit);
    EXPECT_GE(q.PendingOutput->size(), SendQueue::PendingLimit - line.size());
    EXPECT_EQ(host.lastStatus(), SendQueue::NotReadingStatus);
    // Once the game reads again, what was queued goes out in order and new text is taken.
    host.acceptLimit = std::string::npos;
    q.MudSockWrite();
    q.SendToMud("look\r\n");
    EXPECT_EQ(host.sent.size(), (SendQueue::PendingLimit / line.size()) * line.size() + 6);
    EXPECT_EQ(host.sent.substr(host.sent.size() - 6), "look\r\n");
}

// NUL bytes are dropped one by one (telnet servers send CR NUL), never the rest of the read.
TEST(BlockRepair, DropsNulBytesAndRepairsLineEnds)
{
    using namespace std::string_literals;
    struct Case { std::string raw, want; };
    const Case cases[] = {
        {"one\n\rtwo", "one\r\ntwo"},
        {"a\r\nb", "a\r\nb"},
        {"a\nb\rc", "a\nb\rc"},
        {"\n\r\n\r", "\r\n\r\n"},
        {"\n\n\r", "\n\r\n"},
        {"x\0after"s, "xafter"},
        {"\0"s, ""},
        {"a\r\0b\0\0c"s, "a\rbc"},
        {"\n\0\r"s, "\r\n"},
        {"", ""},
        {"\xff\xfb\x01", "\xff\xfb\x01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(repairBlock(c.raw), c.want);
}

} // namespace
} // namespace tw
