#include "PracticeServer.h"

#include "PlayerConnection.h"

#include <QFile>
#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpSocket>

#include <random>

namespace tw::practice {

PracticeServer::PracticeServer(WorldOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options))
{
    connect(&server_, &QTcpServer::newConnection, this, [this] { acceptPlayers(server_); });
}

PracticeServer::~PracticeServer() = default;

quint16 PracticeServer::tlsPort() const { return tlsServer_ ? tlsServer_->serverPort() : 0; }

bool PracticeServer::listenTls(QString* error)
{
    if (!QSslSocket::supportsSsl()) {
        *error = "TLS is not available on this system.";
        return false;
    }
    QFile certFile(options_.tlsCertificate), keyFile(options_.tlsKey);
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) {
        *error = "cannot read the TLS certificate or key.";
        return false;
    }
    const QSslCertificate certificate(&certFile, QSsl::Pem);
    const QSslKey key(&keyFile, QSsl::Rsa, QSsl::Pem);
    if (certificate.isNull() || key.isNull()) {
        *error = "the TLS certificate or key is not valid PEM.";
        return false;
    }
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(certificate);
    config.setPrivateKey(key);
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    tlsServer_ = std::make_unique<QSslServer>();
    tlsServer_->setSslConfiguration(config);
    // Players arrive once their handshake is done.
    connect(tlsServer_.get(), &QTcpServer::pendingConnectionAvailable, this,
            [this] { acceptPlayers(*tlsServer_); });
    if (tlsServer_->listen(QHostAddress::LocalHost, *options_.tlsPort))
        return true;
    *error = tlsServer_->errorString();
    return false;
}

bool PracticeServer::listen(QString* error)
{
    // Loopback only: the world is a toy with test commands and must not be reachable from outside.
    if (!server_.listen(QHostAddress::LocalHost, options_.port)) {
        *error = server_.errorString();
        return false;
    }
    return !options_.tlsPort || listenTls(error);
}

void PracticeServer::acceptPlayers(QTcpServer& server)
{
    while (QTcpSocket* socket = server.nextPendingConnection()) {
        if (players_ >= kMaxPlayers) {
            socket->write("The world is full, try again later." + options_.lineEnd());
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            socket->disconnectFromHost();
            continue;
        }
        // With a seed every player meets the same rolls and answers, whatever the order of
        // connecting; without one every player gets fresh ones.
        const auto seed = options_.seed ? *options_.seed : std::random_device{}();
        auto* player = new PlayerConnection(socket, map_, board_, options_, seed, this);
        ++players_;
        connect(player, &PlayerConnection::finished, this, [this, player] {
            --players_;
            player->deleteLater();
        });
    }
}

} // namespace tw::practice
