#include "core/ConnectionLifecycle.h"
#include "core/SocketPort.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tw {
namespace {

// A socket that reports like the real component: open raises codes 1 and 2, close raises 7.
// The port is a decimal number up to 65535 or the service "telnet"; anything else is port 0.
struct FakeSocket : SocketPort {
    ConnectionLifecycle* life = nullptr;
    std::string addr, port, error;
    bool isConnected = false;
    bool hasHandle = false;
    int opens = 0, closes = 0;
    bool failOpen = false;
    TlsFailure tls = TlsFailure::None;
    bool inHandshake = false;

    void setAddress(const std::string& a) override { addr = a; }
    std::string address() const override { return addr; }
    void setPort(const std::string& p) override { port = p; }
    int portNumber() const override
    {
        if (port == "telnet")
            return 23;
        if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
            return 0;
        const int n = std::stoi(port);
        return n <= 65535 ? n : 0;
    }
    void open() override
    {
        if (isConnected)
            throw std::runtime_error("Socket Already opened");
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
    TlsFailure tlsFailure() const override { return tls; }
    bool handshaking() const override { return inHandshake; }
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
    life.connectTo("Practice", "127.0.0.1", "4000");
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
    EXPECT_EQ(life.LastHost, "");
    EXPECT_EQ(life.LastPort, 0);
}

// The remembered port is the one connected to: a service name counts as its number, and a
// text that names no port is refused before anything is touched.
TEST_F(Fixture, PortsAreRememberedAsUsedAndBadOnesRefused)
{
    life.connectTo("Old", "127.0.0.1", "telnet");
    EXPECT_EQ(life.LastPort, 23);
    socket.isConnected = false;
    socket.hasHandle = false;
    for (const char* bad : {"70000", "0", "nosuchservice", "65536"}) {
        host.boxes.clear();
        const int opens = socket.opens;
        life.connectTo("New", "10.0.0.9", bad);
        EXPECT_EQ(socket.opens, opens) << bad;
        ASSERT_EQ(host.boxes.size(), 1u) << bad;
        EXPECT_NE(host.boxes[0].text.find(bad), std::string::npos) << host.boxes[0].text;
        EXPECT_EQ(life.LastPort, 23) << bad;
        EXPECT_EQ(life.LastHost, "127.0.0.1") << bad;
        EXPECT_EQ(life.LastMudName, "Old") << bad;
    }
    life.connectTo("Top", "127.0.0.1", "65535");
    EXPECT_EQ(life.LastPort, 65535);
    life.Reconnect();
    EXPECT_EQ(socket.port, "65535");
}

// A second game chosen while connected is refused by the socket; a later loss must reconnect
// to the game that is really connected.
TEST_F(Fixture, RefusedConnectWhileConnectedKeepsTheGameInUse)
{
    connectOk();
    EXPECT_THROW(life.connectTo("Other", "10.0.0.9", "5000"), std::runtime_error);
    EXPECT_EQ(life.LastHost, "127.0.0.1");
    EXPECT_EQ(life.LastAddress, "127.0.0.1");
    EXPECT_EQ(life.LastPort, 4000);
    EXPECT_EQ(life.LastMudName, "Practice");
    socket.isConnected = false;
    life.SockDisconnect();
    EXPECT_EQ(socket.addr, "127.0.0.1");
    EXPECT_EQ(socket.port, "4000");
}

// A server that accepts and closes at once gets one immediate retry, then one attempt per
// ten ticks for as long as it keeps doing so; a connection that holds ends the streak.
TEST_F(Fixture, ReconnectionAfterRepeatedLossesKeepsTheTicksPace)
{
    std::vector<int> opensAtTick;
    auto acceptAndClose = [&] {
        socket.isConnected = true;
        life.SockConnect();
        socket.isConnected = false;
        life.SockDisconnect();
    };
    connectOk();
    socket.isConnected = false;
    life.SockDisconnect();
    EXPECT_EQ(socket.opens, 2); // the first retry is immediate
    for (int tick = 1; tick <= 50; ++tick) {
        const int before = socket.opens;
        acceptAndClose();
        life.tick();
        if (socket.opens != before)
            opensAtTick.push_back(tick);
    }
    EXPECT_EQ(opensAtTick, (std::vector<int>{10, 20, 30, 40, 50}));

    // It holds for ten ticks: the next loss is retried at once again.
    life.tick();
    socket.isConnected = true;
    life.SockConnect();
    for (int i = 0; i < 10; ++i)
        life.tick();
    const int before = socket.opens;
    socket.isConnected = false;
    life.SockDisconnect();
    EXPECT_EQ(socket.opens, before + 1);

    // Disconnect ends a waiting reconnection.
    acceptAndClose();
    EXPECT_TRUE(life.reconnectWaiting());
    life.Disconnect1Click();
    for (int i = 0; i < 20; ++i)
        life.tick();
    EXPECT_EQ(socket.opens, before + 1);

    // So does choosing a game: its connection is not opened a second time at the pace.
    connectOk();
    socket.isConnected = false;
    life.SockDisconnect(); // the immediate retry
    acceptAndClose();
    ASSERT_TRUE(life.reconnectWaiting());
    connectOk();
    EXPECT_FALSE(life.reconnectWaiting());
    const int opens = socket.opens;
    const std::size_t boxes = host.boxes.size();
    for (int i = 0; i < 20; ++i)
        life.tick();
    EXPECT_EQ(socket.opens, opens);
    EXPECT_EQ(host.boxes.size(), boxes);
}

// A host that cannot be found during reconnection is tried again at the pace, with one
// error box for the whole streak; a refused attempt is tried once per ten ticks.
TEST_F(Fixture, FailingReconnectionKeepsTryingWithOneErrorBox)
{
    connectOk();
    socket.failOpen = true;
    socket.isConnected = false;
    life.SockDisconnect();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Tarnwick 5");
    EXPECT_TRUE(life.reconnectWaiting());
    for (int i = 0; i < 30; ++i)
        life.tick();
    EXPECT_EQ(host.boxes.size(), 1u);
    socket.failOpen = false;
    const int opens = socket.opens;
    for (int i = 0; i < 10; ++i)
        life.tick();
    EXPECT_EQ(socket.opens, opens + 1);

    // Now the host answers but refuses: one attempt per ten ticks, never two.
    socket.error = "Connection refused";
    life.SockConnect();
    for (int i = 0; i < 30; ++i)
        life.tick();
    EXPECT_EQ(socket.opens, opens + 4);
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

// A socket that is already gone when the attempt is given up reports no close: the attempt
// is still given up only once.
TEST_F(Fixture, AnAttemptIsGivenUpOnce)
{
    reconnectSetting = false;
    life.connectTo("Practice", "127.0.0.1", "4000");
    socket.hasHandle = false;
    for (int i = 0; i < 12; ++i)
        life.tick();
    EXPECT_EQ(std::count(host.statuses.begin(), host.statuses.end(), "Not connected."), 1);
}

TEST_F(Fixture, FailedAttemptWithoutReconnectSettingStaysClosed)
{
    reconnectSetting = false;
    connectOk();
    socket.isConnected = false;
    life.SockDisconnect();
    EXPECT_EQ(life.ConnectCountdown, 0);
    EXPECT_EQ(socket.opens, 1);
    life.connectTo("Practice", "127.0.0.1", "4000");
    for (int i = 0; i < 10; ++i)
        life.tick();
    EXPECT_EQ(socket.opens, 2);
    EXPECT_EQ(host.lastStatus(), "Socket closed.");
    EXPECT_EQ(host.mudName, "(No connection)");
    EXPECT_FALSE(life.ConnectAttempted);
}

// An attempt that never completes is given up by the tick, which says so in both panels.
TEST_F(Fixture, AnAttemptThatNeverCompletesIsGivenUpAfterTenTicks)
{
    reconnectSetting = false;
    connectOk();
    life.Disconnect1Click(); // the panel keeps the name
    life.connectTo("Other", "127.0.0.1", "4001");
    for (int i = 0; i < 9; ++i)
        life.tick();
    EXPECT_EQ(host.mudName, "Practice");
    host.statuses.clear();
    life.tick();
    EXPECT_EQ(host.statuses, (std::vector<std::string>{"Not connected.", "Socket closed."}));
    EXPECT_EQ(host.mudName, "(No connection)");
    EXPECT_EQ(socket.opens, 2);
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

// Every loss of a connection that held reconnects, not only the first.
TEST_F(Fixture, EachLossOfAConnectionThatHeldReconnects)
{
    connectOk();
    for (int loss = 1; loss <= 3; ++loss) {
        for (int i = 0; i < 10; ++i)
            life.tick();
        socket.isConnected = false;
        life.SockDisconnect();
        EXPECT_EQ(socket.opens, 1 + loss);
        socket.isConnected = true;
        life.SockConnect();
    }
    // The socket's closed report alone, with reconnection armed, starts an attempt too.
    for (int i = 0; i < 10; ++i)
        life.tick();
    socket.isConnected = false;
    life.SockInfo(7);
    EXPECT_EQ(socket.opens, 5);
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
    // The closed socket is no failed attempt: the ticks change nothing.
    for (int i = 0; i < 12; ++i)
        life.tick();
    EXPECT_EQ(host.lastStatus(), "Socket closed.");
    EXPECT_EQ(host.mudName, "Practice");

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

namespace tw {
namespace {

struct Tls : Fixture {
    std::vector<std::string> notices;
    bool modern = true;
    Tls()
    {
        life.tlsAllowed = [this] { return modern; };
        life.notice = [this](const std::string& n) { notices.push_back(n); };
    }
    // An attempt on the TLS port that ends in the given failure.
    void failWith(TlsFailure failure, const std::string& detail = "")
    {
        socket.tls = failure;
        socket.error = detail;
        life.SockConnect();
        socket.tls = TlsFailure::None;
    }
};

// Each failure says in words what happened, in the status row and the terminal; a server that
// does not speak TLS or a certificate not accepted end the reconnection, the others do not.
TEST_F(Tls, FailuresSayWhyAndOnlyHopelessOnesEndTheReconnection)
{
    life.certificates.remembered = [](const std::string&, std::uint16_t) { return std::string("AA"); };
    const struct {
        TlsFailure failure;
        std::string detail, why;
        bool retried;
    } cases[] = {
        {TlsFailure::NotTls, "", "127.0.0.1:4000 did not answer in TLS; is it the game's plain port?", false},
        {TlsFailure::CertificateRefused, "", "The certificate of 127.0.0.1:4000 was not accepted.", false},
        {TlsFailure::HandshakeTimedOut, "", "127.0.0.1:4000 did not complete the TLS handshake within 20 s.", true},
        {TlsFailure::HandshakeFailed, "sslv3 alert handshake failure",
         "The TLS handshake with 127.0.0.1:4000 failed (sslv3 alert handshake failure).", true},
    };
    for (const auto& c : cases) {
        life.connectTo("Practice", "tls://127.0.0.1", "4000");
        EXPECT_FALSE(life.certificates.check({"127.0.0.1", 4000, "BB", ""}));
        const int opens = socket.opens;
        notices.clear();
        failWith(c.failure, c.detail);
        EXPECT_EQ(host.mudName, "(No connection)");
        ASSERT_FALSE(notices.empty());
        EXPECT_EQ(notices[0], c.why);
        if (!c.retried)
            EXPECT_EQ(host.lastStatus(), c.why);
        for (int i = 0; i < 25; ++i)
            life.tick();
        EXPECT_EQ(life.ReconnectArmed, c.retried) << c.why;
        EXPECT_EQ(socket.opens > opens, c.retried) << c.why;
        life.Disconnect1Click();
    }
}

// The grace period of an attempt does not cut a TLS handshake short: it has a limit of its own.
TEST_F(Tls, TheTickWaitsWhileTheHandshakeRuns)
{
    life.connectTo("Practice", "tls://127.0.0.1", "4000");
    socket.inHandshake = true;
    for (int i = 0; i < 19; ++i)
        life.tick();
    EXPECT_EQ(socket.closes, 0);
    socket.inHandshake = false;
    failWith(TlsFailure::HandshakeTimedOut);
    EXPECT_EQ(socket.closes, 1);
    EXPECT_EQ(socket.opens, 2); // the immediate retry of the reconnection
}

// A socket that is already gone when its handshake fails reports no close: the retry comes all
// the same.
TEST_F(Tls, AFailureOnASocketAlreadyGoneIsRetriedToo)
{
    life.connectTo("Practice", "tls://127.0.0.1", "4000");
    socket.hasHandle = false;
    failWith(TlsFailure::HandshakeTimedOut);
    EXPECT_EQ(socket.opens, 2);
}

// With Modern Server Mode off a tls:// address is refused with a word about the switch, and a
// reconnection to one stops.
TEST_F(Tls, AddressesNeedModernServerMode)
{
    modern = false;
    life.connectTo("Practice", "tls://127.0.0.1", "4000");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, TlsNeedsModernText);
    EXPECT_EQ(socket.opens, 0);
    EXPECT_EQ(life.LastHost, "");

    modern = true;
    life.connectTo("Practice", "tls://127.0.0.1", "4000");
    socket.isConnected = true;
    life.SockConnect();
    modern = false;
    life.SockDisconnect();
    EXPECT_EQ(socket.opens, 1);
    EXPECT_FALSE(life.ReconnectArmed);
    EXPECT_EQ(host.lastStatus(), TlsNeedsModernText);
}

// A certificate accepted while its attempt was refused connects again, unless the player has
// gone to another game meanwhile.
TEST_F(Tls, AnAcceptedCertificateConnectsAgain)
{
    host.holdQuestions = true;
    for (const bool elsewhere : {false, true}) {
        host.questions.clear();
        life.connectTo("Practice", "tls://127.0.0.1", "4000");
        EXPECT_FALSE(life.certificates.check({"127.0.0.1", 4000, "CC", "self-signed"}));
        failWith(TlsFailure::CertificateRefused);
        EXPECT_EQ(host.lastStatus(), "The certificate of 127.0.0.1:4000 cannot be verified.");
        EXPECT_FALSE(life.ReconnectArmed);
        if (elsewhere)
            life.connectTo("Other", "10.0.0.1", "4000");
        const int opens = socket.opens;
        ASSERT_EQ(host.questions.size(), 1u);
        host.questions[0].answered(MsgAnswer::Yes);
        EXPECT_EQ(socket.opens, opens + (elsewhere ? 0 : 1));
        EXPECT_EQ(life.LastMudName, elsewhere ? "Other" : "Practice");
        EXPECT_TRUE(life.ReconnectArmed);
        life.Disconnect1Click();
    }
}

} // namespace
} // namespace tw
