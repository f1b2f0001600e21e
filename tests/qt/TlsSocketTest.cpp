// The socket's tls:// addresses: understood only while TLS is allowed, and a server that
// stalls in the handshake never counts as connected and can be closed cleanly.
#include "net/qt/TBasicClientSocket.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(TlsSocket, AddressesAreReadOnlyWhileAllowedAndAStalledHandshakeNeverConnects)
{
    TBasicClientSocket socket;
    socket.setAddress("TLS://127.0.0.1");
    EXPECT_FALSE(socket.usesTls());
    EXPECT_EQ(socket.hostName(), "TLS://127.0.0.1"); // an ordinary (unknown) host name
    socket.setTlsAllowed(true);
    EXPECT_TRUE(socket.usesTls());
    EXPECT_EQ(socket.dottedAddress(), "127.0.0.1");
    EXPECT_EQ(socket.address(), "TLS://127.0.0.1"); // kept as the player wrote it

    QTcpServer silent; // accepts and never answers the handshake
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    socket.setPort(std::to_string(silent.serverPort()));
    std::vector<int> infos;
    int connects = 0;
    QObject::connect(&socket, &TBasicClientSocket::OnInfo, [&](int code) { infos.push_back(code); });
    QObject::connect(&socket, &TBasicClientSocket::OnConnect, [&] { ++connects; });
    socket.Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return silent.hasPendingConnections(); }, 5000));
    QTcpSocket* peer = silent.nextPendingConnection();
    // The client hello arrives; no answer comes, so the socket must not report a connection.
    ASSERT_TRUE(QTest::qWaitFor([&] { return peer->bytesAvailable() > 0 || peer->waitForReadyRead(50); }, 5000));
    QTest::qWait(200);
    EXPECT_EQ(connects, 0);
    EXPECT_FALSE(socket.Connected());
    socket.Close();
    EXPECT_EQ(infos.back(), TBasicClientSocket::InfoClosed);
    EXPECT_FALSE(socket.HasHandle());
}

} // namespace
} // namespace tw
