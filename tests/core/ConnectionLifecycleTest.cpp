#include "core/ConnectionLifecycle.h"
#include "core/SocketPort.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tw {
namespace {

// A socket that reports like the real component: open raises codes 1 and 2, close raises 7.
struct FakeSocket : SocketPort {
    ConnectionLifecycle* life = nullptr;
    std::string addr, port, error;
    bool isConnected = false;
    bool hasHandle = false;
    int opens = 0, closes = 0;
    bool failOpen = false;

    void setAddress(const std::string& a) override { addr = a; }
    std::string address() const override { return addr; }
    void setPort(const std::string& p) override { port = p; }
    void open() override
    {
        if (failOpen)
            throw std::runtime_error("Error 11001 (Host not found) finding address for host");
        ++opens;
        hasHandle = true;
        life->SockInfo(1);
        life->SockInfo(2);
    }
    void close() override
    {
        if (!hasHandle)
            return;
        ++closes;
        hasHandle = false;
        isConnected = false;
        life->SockInfo(7);
    }
    bool connected() const override { return isConnected; }
    std::string lastErrorText() const override { return error; }
};

struct Fixture : ::testing::Test {
    test::RecordingHost host;
    FakeSocket socket;
    ConnectionLifecycle life{host, socket};
    bool reconnectSetting = true;
    int ended = 0, connects = 0;

    Fixture()
    {
        socket.life = &life;
        life.autoReconnect = [this] { return reconnectSetting; };
        life.connectionEnded = [this] { ++ended; };
        life.connected = [this] { ++connects; };
    }
    void connectOk()
    {
        life.connectTo("Practice", "127.0.0.1", "4000");
        socket.isConnected = true;
        life.SockConnect();
    }
};

TEST_F(Fixture, ConnectReportsProgressAndRemembersTheMud)
{
    life.connectTo("Practice", "127.0.0.1", "4000 telnet");
    EXPECT_EQ(host.statuses, (std::vector<std::string>{"Looking up host 127.0.0.1", "Connecting 127.0.0.1"}));
    EXPECT_TRUE(life.ConnectAttempted);
    EXPECT_TRUE(life.ReconnectArmed);
    EXPECT_EQ(life.ConnectCountdown, 10);
    EXPECT_EQ(life.LastPort, 4000);
    EXPECT_EQ(life.LastHost, "127.0.0.1");
    socket.isConnected = true;
    life.SockConnect();
    EXPECT_EQ(host.lastStatus(), "Connected!");
    EXPECT_EQ(host.mudName, "Practice");
    EXPECT_EQ(connects, 1);
}

TEST_F(Fixture, FailedOpenLeavesTheSessionAsItWas)
{
    socket.failOpen = true;
    EXPECT_THROW(life.connectTo("X", "nowhere.invalid", "23"), std::runtime_error);
    EXPECT_FALSE(life.ReconnectArmed);
    EXPECT_EQ(life.ConnectCountdown, 0);
    EXPECT_EQ(life.LastMudName, "");
    EXPECT_EQ(life.LastHost, "nowhere.invalid"); // the host fields are taken before the open
}

// A refused connect is not reported as success; the tick gives up ten seconds after the
// request and, with the setting on, tries once more.
TEST_F(Fixture, RefusedConnectIsReportedAndRetriedAfterTenTicks)
{
    life.connectTo("Practice", "127.0.0.1", "4000");
    socket.error = "Connection refused";
    life.SockConnect();
    EXPECT_EQ(host.lastStatus(), "Connection refused");
    EXPECT_EQ(host.mudName, "(No connection)");
    EXPECT_EQ(connects, 0);
    for (int i = 0; i < 9; ++i)
        life.tick();
    EXPECT_EQ(socket.opens, 1);
    host.statuses.clear();
    life.tick();
    EXPECT_EQ(socket.opens, 2);
    EXPECT_EQ(socket.closes, 1);
    EXPECT_EQ(host.statuses, (std::vector<std::string>{"Not connected.", "Socket closed.",
                                                        "Looking up host 127.0.0.1",
                                                        "Connecting 127.0.0.1"}));
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(life.ConnectCountdown, 10);
}

TEST_F(Fixture, FailedAttemptWithoutReconnectSettingStaysClosed)
{
    reconnectSetting = false;
    life.connectTo("Practice", "127.0.0.1", "4000");
    for (int i = 0; i < 10; ++i)
        life.tick();
    EXPECT_EQ(socket.opens, 1);
    EXPECT_EQ(host.lastStatus(), "Socket closed.");
    EXPECT_EQ(host.mudName, "(No connection)");
    EXPECT_FALSE(life.ConnectAttempted);
}

// One loss leads to exactly one new attempt, although the closed report and the loss
// handler both ask for one.
TEST_F(Fixture, PeerCloseReconnectsExactlyOnce)
{
    connectOk();
    socket.isConnected = false;
    life.SockDisconnect();
    EXPECT_EQ(socket.opens, 2);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(host.mudName, "(No connection)");
    EXPECT_EQ(host.statuses[host.statuses.size() - 4], "Disconnected!");
    EXPECT_EQ(host.statuses[host.statuses.size() - 3], "Socket closed.");
}

TEST_F(Fixture, DisconnectAndQuitDisarmReconnection)
{
    connectOk();
    life.Disconnect1Click();
    EXPECT_EQ(socket.opens, 1);
    EXPECT_EQ(host.lastStatus(), "Socket closed.");
    EXPECT_EQ(host.mudName, "Practice"); // unchanged after Disconnect
    EXPECT_EQ(life.ConnectCountdown, 0);
    EXPECT_EQ(ended, 1);

    connectOk();
    life.disarm(); // the player typed QUIT
    socket.isConnected = false;
    life.SockDisconnect();
    EXPECT_EQ(socket.opens, 2);
    EXPECT_EQ(host.lastStatus(), "Socket closed.");
    EXPECT_EQ(host.mudName, "(No connection)");
}

TEST_F(Fixture, ReconnectUsesTheRememberedHostAndPort)
{
    connectOk();
    socket.addr = "elsewhere";
    socket.port = "1";
    life.Reconnect();
    EXPECT_EQ(socket.addr, "127.0.0.1");
    EXPECT_EQ(socket.port, "4000");
}

TEST_F(Fixture, OtherInfoCodes)
{
    life.SockInfo(4);
    EXPECT_EQ(host.lastStatus(), "Listening...");
    life.SockInfo(8);
    EXPECT_EQ(host.lastStatus(), "Socket timed out.");
    const auto before = host.statuses.size();
    life.SockInfo(3);
    life.SockInfo(12);
    EXPECT_EQ(host.statuses.size(), before);
}

} // namespace
} // namespace tw
