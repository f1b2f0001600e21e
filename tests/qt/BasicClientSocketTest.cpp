// The socket component against a real server on 127.0.0.1.
#include "net/qt/TBasicClientSocket.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tw {
namespace {

constexpr int WaitMs = 10000;

bool waitUntil(const std::function<bool()>& condition, int timeoutMs = WaitMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

// Records every event of a socket as a short word, in order.
struct EventLog {
    std::vector<std::string> events;
    QStringList errors;

    void attach(TBasicClientSocket& socket)
    {
        QObject::connect(&socket, &TBasicClientSocket::OnInfo, [this](int code) {
            events.push_back("info" + std::to_string(code));
        });
        QObject::connect(&socket, &TBasicClientSocket::OnConnect, [this] { events.push_back("connect"); });
        QObject::connect(&socket, &TBasicClientSocket::OnDisconnect, [this] { events.push_back("disconnect"); });
        QObject::connect(&socket, &TBasicClientSocket::OnWrite, [this] { events.push_back("write"); });
        QObject::connect(&socket, &TBasicClientSocket::OnError, [this](const QString& m) { errors << m; });
    }
    bool has(const std::string& event) const
    {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
    // The events without the reads and writes, which depend on timing.
    std::vector<std::string> lifeCycle() const
    {
        std::vector<std::string> out;
        for (const std::string& e : events) {
            if (e != "info5" && e != "info6" && e != "write" && e != "read")
                out.push_back(e);
        }
        return out;
    }
};

// A listening server that keeps the connections it accepts.
struct TestServer {
    QTcpServer server;
    std::vector<QTcpSocket*> peers;

    TestServer()
    {
        EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* peer = server.nextPendingConnection())
                peers.push_back(peer);
        });
    }
    std::string port() const { return std::to_string(server.serverPort()); }
    QTcpSocket* waitForPeer(std::size_t index = 0)
    {
        waitUntil([&] { return peers.size() > index; });
        return peers.size() > index ? peers[index] : nullptr;
    }
};

// A port on which nothing listens: one that was free a moment ago.
std::string refusingPort()
{
    QTcpServer probe;
    EXPECT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const std::string port = std::to_string(probe.serverPort());
    probe.close();
    return port;
}

std::string thrownMessage(const std::function<void()>& action)
{
    try {
        action();
    } catch (const SockError& error) {
        return error.what();
    }
    return "(nothing thrown)";
}

QByteArray pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('A' + (i * 7 + i / 251) % 26);
    return bytes;
}

// Connects socket to server and waits for completion.
bool connectTo(TBasicClientSocket& socket, TestServer& server)
{
    socket.setAddress("127.0.0.1");
    socket.setPort(server.port());
    socket.Open();
    return waitUntil([&] { return socket.Connected(); });
}

// A socket with its event log attached and a server to connect to.
struct ClientSocket : ::testing::Test {
    TestServer server;
    TBasicClientSocket socket;
    EventLog log;

    ClientSocket() { log.attach(socket); }
    void openToServer()
    {
        socket.setAddress("127.0.0.1");
        socket.setPort(server.port());
        socket.Open();
    }
};

TEST(BasicClientSocket, AddressAndPortTexts)
{
    TBasicClientSocket socket;
    EXPECT_EQ(socket.dottedAddress(), "0.0.0.0");
    EXPECT_EQ(socket.hostName(), "");
    EXPECT_EQ(socket.protocol(), "tcp");

    socket.setAddress("127.0.0.1");
    EXPECT_EQ(socket.dottedAddress(), "127.0.0.1");
    EXPECT_EQ(socket.hostName(), "");
    socket.setAddress("mud.example");
    EXPECT_EQ(socket.hostName(), "mud.example");
    EXPECT_EQ(socket.dottedAddress(), "");
    EXPECT_EQ(socket.address(), "mud.example");
    socket.setAddress(std::string(300, 'a'));
    EXPECT_EQ(socket.address().size(), 255u);

    socket.setPort("23");
    EXPECT_EQ(socket.portNumber(), 23);
    EXPECT_EQ(socket.port(), "23");
    socket.setPort("no-such-service-here");
    EXPECT_EQ(socket.portNumber(), 0);
    EXPECT_EQ(socket.serviceName(), "no-such-service-here");
    socket.setPort("70000");
    EXPECT_EQ(socket.portNumber(), 0);
    EXPECT_EQ(socket.serviceName(), "");
    socket.setPort("4000");
    EXPECT_EQ(socket.portNumber(), 4000);

    socket.setTimeOut(-5);
    EXPECT_EQ(socket.timeOut(), 0);
    socket.setTimeOut(30);
    EXPECT_EQ(socket.timeOut(), 30);
}

TEST_F(ClientSocket, ConnectReportsLookupConnectingThenConnected)
{

    openToServer();
    // Completion always comes after Open has returned.
    EXPECT_EQ(log.events, (std::vector<std::string>{"info1", "info2"}));
    EXPECT_EQ(socket.State(), TBasicClientSocket::StateClosed);

    ASSERT_TRUE(waitUntil([&] { return log.has("write"); }));
    EXPECT_EQ(log.events, (std::vector<std::string>{"info1", "info2", "info3", "connect", "write"}));
    EXPECT_TRUE(socket.Connected());
    EXPECT_EQ(socket.State(), TBasicClientSocket::StateConnected);
    EXPECT_EQ(socket.LastError(), 0);
    EXPECT_TRUE(server.waitForPeer());

    // A connected socket cannot be opened again.
    EXPECT_EQ(thrownMessage([&] { socket.Open(); }), "Socket Already opened");
    EXPECT_TRUE(socket.Connected());
}

TEST_F(ClientSocket, HostNameIsResolvedAndKeptApartFromTheAddress)
{
    socket.setAddress("localhost");
    socket.setPort(server.port());
    socket.Open();
    EXPECT_EQ(log.events, (std::vector<std::string>{"info1", "info2"}));
    EXPECT_EQ(socket.address(), "localhost");
    EXPECT_EQ(socket.hostName(), "localhost");
    EXPECT_EQ(socket.dottedAddress(), "127.0.0.1");
    EXPECT_TRUE(waitUntil([&] { return socket.Connected(); }));
}

TEST(BasicClientSocket, RefusedConnectionCompletesWithoutConnecting)
{
    TBasicClientSocket socket;
    EventLog log;
    log.attach(socket);
    socket.setAddress("127.0.0.1");
    socket.setPort(refusingPort());
    socket.Open();
    ASSERT_TRUE(waitUntil([&] { return log.has("connect"); }));
    EXPECT_EQ(log.events, (std::vector<std::string>{"info1", "info2", "connect"}));
    EXPECT_FALSE(socket.Connected());
    EXPECT_EQ(socket.LastError(), 10061);
    EXPECT_EQ(socket.LastErrorText(), "Connection refused");
    EXPECT_TRUE(socket.HasHandle());

    // The handle stays until Close, which reports the close.
    socket.Close();
    EXPECT_EQ(log.events.back(), "info7");
    EXPECT_FALSE(socket.HasHandle());
    socket.Close();
    EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "info7"), 1);
}

TEST_F(ClientSocket, OpenAfterAFailedAttemptStartsAFreshOne)
{
    socket.setAddress("127.0.0.1");
    socket.setPort(refusingPort());
    socket.Open();
    ASSERT_TRUE(waitUntil([&] { return log.has("connect"); }));

    socket.setPort(server.port());
    socket.Open();
    ASSERT_TRUE(waitUntil([&] { return socket.Connected(); }));
    EXPECT_EQ(log.lifeCycle(),
              (std::vector<std::string>{"info1", "info2", "connect", "info1", "info2", "info3", "connect"}));
}

TEST_F(ClientSocket, CloseDuringTheAttemptVoidsItsCompletion)
{
    openToServer();
    socket.Close();
    EXPECT_EQ(log.events, (std::vector<std::string>{"info1", "info2", "info7"}));
    EXPECT_FALSE(socket.HasHandle());
    // Let the server see (and drop) the attempt; nothing more is reported.
    server.waitForPeer();
    QTest::qWait(0);
    EXPECT_EQ(log.events, (std::vector<std::string>{"info1", "info2", "info7"}));
    EXPECT_FALSE(socket.Connected());
}

TEST(BasicClientSocket, UnknownHostAndMissingAddressAreReported)
{
    TBasicClientSocket socket;
    EventLog log;
    log.attach(socket);
    // Blanks make the name invalid, so the look-up fails without asking any name server.
    socket.setAddress("no such host");
    socket.setPort("4000");
    try {
        socket.Open();
        FAIL() << "no exception";
    } catch (const ESockError& error) {
        EXPECT_STREQ(error.what(), "Error 11001 (Host not found) finding address for host");
        EXPECT_EQ(error.error(), 11001);
        EXPECT_EQ(error.context(), 20001);
    }
    EXPECT_EQ(log.events, (std::vector<std::string>{"info1"}));
    EXPECT_FALSE(socket.Connected());

    socket.setAddress("");
    EXPECT_EQ(thrownMessage([&] { socket.Open(); }), "No address specified");
}

TEST(BasicClientSocket, ReadAndWriteWithoutAConnection)
{
    TBasicClientSocket socket;
    EventLog log;
    log.attach(socket);
    char buffer[16];
    EXPECT_EQ(thrownMessage([&] { socket.Read(buffer, sizeof buffer); }), "Socket not open");
    EXPECT_EQ(log.events, (std::vector<std::string>{"info5"}));

    log.events.clear();
    EXPECT_EQ(socket.Write("abc", 0), 0u);
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(socket.Write("abc", 3), 0u);
    EXPECT_EQ(log.events, (std::vector<std::string>{"info6"}));
}

TEST(BasicClientSocket, ZeroByteWriteOnAConnectionRaisesNothing)
{
    TestServer server;
    TBasicClientSocket socket;
    ASSERT_TRUE(connectTo(socket, server));
    EventLog log;
    log.attach(socket);
    EXPECT_EQ(socket.Write("", 0), 0u);
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(socket.Write("look\r\n", 6), 6u);
    EXPECT_EQ(log.events, (std::vector<std::string>{"info6"}));
    QTcpSocket* peer = server.waitForPeer();
    ASSERT_TRUE(peer);
    EXPECT_TRUE(waitUntil([&] { return peer->bytesAvailable() == 6; }));
    EXPECT_EQ(peer->readAll(), "look\r\n");
}

TEST_F(ClientSocket, PeerCloseReportsDisconnectThenClosesAfterTheLastBytes)
{
    std::string received;
    // Three bytes a time, so that the close has to hand over what is left.
    QObject::connect(&socket, &TBasicClientSocket::OnRead, [&] {
        char buffer[3];
        received.append(buffer, socket.Read(buffer, sizeof buffer));
    });
    ASSERT_TRUE(connectTo(socket, server));
    QTcpSocket* peer = server.waitForPeer();
    ASSERT_TRUE(peer);
    peer->write("Goodbye, adventurer.\r\n");
    peer->disconnectFromHost();

    ASSERT_TRUE(waitUntil([&] { return log.has("info7"); }));
    EXPECT_EQ(received, "Goodbye, adventurer.\r\n");
    const std::vector<std::string> cycle = log.lifeCycle();
    const std::vector<std::string> tail(cycle.end() - 3, cycle.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"info12", "disconnect", "info7"}));
    EXPECT_EQ(socket.State(), TBasicClientSocket::StateClosed);
    EXPECT_FALSE(socket.HasHandle());
    EXPECT_EQ(socket.LastError(), 0);
}

TEST_F(ClientSocket, CloseHandsUnreadBytesToTheReaderFirst)
{
    bool reading = false;
    int reads = 0;
    std::string received;
    QObject::connect(&socket, &TBasicClientSocket::OnRead, [&] {
        ++reads;
        log.events.push_back("read");
        if (!reading)
            return;
        char buffer[4];
        received.append(buffer, socket.Read(buffer, sizeof buffer));
    });
    ASSERT_TRUE(connectTo(socket, server));
    QTcpSocket* peer = server.waitForPeer();
    ASSERT_TRUE(peer);
    peer->write("0123456789");
    // The first read event is left unanswered; it is not repeated until more arrives.
    ASSERT_TRUE(waitUntil([&] { return reads == 1; }));
    QTest::qWait(0);
    EXPECT_EQ(reads, 1);

    reading = true;
    log.events.clear();
    socket.Close();
    EXPECT_EQ(received, "0123456789");
    EXPECT_EQ(log.events, (std::vector<std::string>{"read", "info5", "read", "info5", "read", "info5", "info7"}));
    EXPECT_EQ(socket.State(), TBasicClientSocket::StateClosed);
}

TEST(BasicClientSocket, FloodBeyondOneBlockIsReadToTheEnd)
{
    TestServer server;
    TBasicClientSocket socket;
    QByteArray received;
    QObject::connect(&socket, &TBasicClientSocket::OnRead, [&] {
        // The receive pipeline reads one block of at most 64001 bytes per event.
        std::vector<char> block(64001);
        received.append(block.data(), static_cast<qsizetype>(socket.Read(block.data(), block.size())));
    });
    ASSERT_TRUE(connectTo(socket, server));
    QTcpSocket* peer = server.waitForPeer();
    ASSERT_TRUE(peer);
    // More than the socket holds for its reader, so that the sender is held back too.
    const QByteArray flood = pattern(3 * 1024 * 1024 + 17);
    peer->write(flood);
    ASSERT_TRUE(waitUntil([&] { return received.size() >= flood.size(); }, 30000))
        << received.size() << " of " << flood.size();
    EXPECT_TRUE(received == flood);
}

TEST_F(ClientSocket, LargeSendIsCompletedByLaterWriteEventsInOrder)
{
    const QByteArray payload = pattern(4 * 1024 * 1024 + 5);
    qsizetype sent = 0;
    int writeEvents = 0;
    std::size_t firstTake = 0;
    auto sendMore = [&] {
        if (sent >= payload.size())
            return;
        const std::size_t taken = socket.Write(payload.constData() + sent,
                                               static_cast<std::size_t>(payload.size() - sent));
        if (sent == 0)
            firstTake = taken;
        sent += static_cast<qsizetype>(taken);
    };
    QObject::connect(&socket, &TBasicClientSocket::OnWrite, [&] {
        ++writeEvents;
        sendMore();
    });
    ASSERT_TRUE(connectTo(socket, server));
    QTcpSocket* peer = server.waitForPeer();
    ASSERT_TRUE(peer);

    // The server reads only every few turns, in small pieces.
    QByteArray arrived;
    int turn = 0;
    ASSERT_TRUE(waitUntil([&] {
        if (++turn % 3 == 0)
            arrived += peer->read(256 * 1024);
        return arrived.size() >= payload.size();
    }, 60000)) << arrived.size() << " of " << payload.size();

    EXPECT_GT(firstTake, 0u);
    EXPECT_LE(firstTake, TBasicClientSocket::SendBufferLimit);
    EXPECT_GT(writeEvents, 2);
    EXPECT_EQ(sent, payload.size());
    EXPECT_TRUE(arrived == payload);
}

TEST_F(ClientSocket, HandlerExceptionsAreReportedAndLaterEventsStillCome)
{
    QObject::connect(&socket, &TBasicClientSocket::OnConnect, [] {
        throw SockError(10054, 20014);
    });
    std::string received;
    QObject::connect(&socket, &TBasicClientSocket::OnRead, [&] {
        char buffer[64];
        received.append(buffer, socket.Read(buffer, sizeof buffer));
        throw std::runtime_error("reader failed");
    });
    ASSERT_TRUE(connectTo(socket, server));
    ASSERT_TRUE(waitUntil([&] { return !log.errors.isEmpty(); }));
    EXPECT_EQ(log.errors.value(0), "Error 10054 (Connection reset by peer) recieving");

    QTcpSocket* peer = server.waitForPeer();
    ASSERT_TRUE(peer);
    peer->write("one");
    ASSERT_TRUE(waitUntil([&] { return received == "one"; }));
    peer->write("two");
    ASSERT_TRUE(waitUntil([&] { return received == "onetwo"; }));
    EXPECT_EQ(log.errors.size(), 3);
    EXPECT_EQ(log.errors.value(2), "reader failed");
}

TEST_F(ClientSocket, ReconnectFromTheDisconnectHandlerStaysOpen)
{
    int disconnects = 0;
    // As the main window does: close on disconnect, and open again when the close is reported.
    QObject::connect(&socket, &TBasicClientSocket::OnDisconnect, [&] {
        ++disconnects;
        socket.Close();
    });
    QObject::connect(&socket, &TBasicClientSocket::OnInfo, [&](int code) {
        if (code == TBasicClientSocket::InfoClosed && disconnects == 1)
            socket.Open();
    });
    ASSERT_TRUE(connectTo(socket, server));
    QTcpSocket* first = server.waitForPeer(0);
    ASSERT_TRUE(first);
    first->disconnectFromHost();

    ASSERT_TRUE(server.waitForPeer(1));
    ASSERT_TRUE(waitUntil([&] { return socket.Connected(); }));
    EXPECT_EQ(log.lifeCycle(),
              (std::vector<std::string>{"info1", "info2", "info3", "connect", "info12", "disconnect",
                                        "info7", "info1", "info2", "info3", "connect"}));
    EXPECT_TRUE(log.errors.isEmpty()) << log.errors.join("; ").toStdString();
}

TEST(BasicClientSocket, ReadEventsWaitWhileAnotherSocketLooksUpItsHost)
{
    TestServer server;
    TBasicClientSocket reader;
    TBasicClientSocket opener;
    bool openInProgress = false;
    bool readDuringOpen = false;
    std::string received;
    QObject::connect(&reader, &TBasicClientSocket::OnRead, [&] {
        readDuringOpen = readDuringOpen || openInProgress;
        char buffer[64];
        received.append(buffer, reader.Read(buffer, sizeof buffer));
    });
    ASSERT_TRUE(connectTo(reader, server));
    QTcpSocket* peer = server.waitForPeer();
    ASSERT_TRUE(peer);
    peer->write("held back");
    peer->flush();

    opener.setAddress("localhost");
    opener.setPort(server.port());
    openInProgress = true;
    opener.Open();
    openInProgress = false;

    ASSERT_TRUE(waitUntil([&] { return received == "held back"; }));
    EXPECT_FALSE(readDuringOpen);
}

} // namespace
} // namespace tw
