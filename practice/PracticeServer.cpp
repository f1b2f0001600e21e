#include "PracticeServer.h"

#include "PlayerConnection.h"

#include <QFile>
#include <QHostAddress>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpSocket>

#include <optional>
#include <random>
#include <utility>

namespace tw::practice {

PracticeServer::PracticeServer(WorldOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options))
{
    connect(&server_, &QTcpServer::newConnection, this, [this] { acceptPlayers(server_); });
}

PracticeServer::~PracticeServer() = default;

quint16 PracticeServer::tlsPort() const { return tlsServer_ ? tlsServer_->serverPort() : 0; }

namespace {

// A TLS configuration serving the certificate and key of two PEM files; empty on failure.
std::optional<QSslConfiguration> tlsConfiguration(const QString& certPath, const QString& keyPath, QString* error)
{
    QFile certFile(certPath), keyFile(keyPath);
    if (!certFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) {
        *error = "cannot read the TLS certificate or key.";
        return std::nullopt;
    }
    const QSslCertificate certificate(&certFile, QSsl::Pem);
    const QSslKey key(&keyFile, QSsl::Rsa, QSsl::Pem);
    if (certificate.isNull() || key.isNull()) {
        *error = "the TLS certificate or key is not valid PEM.";
        return std::nullopt;
    }
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(certificate);
    config.setPrivateKey(key);
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    return config;
}

} // namespace

bool PracticeServer::listenTls(QString* error)
{
    if (!QSslSocket::supportsSsl()) {
        *error = "TLS is not available on this system.";
        return false;
    }
    for (const auto& [cert, key] : {std::pair(options_.tlsCertificate, options_.tlsKey),
                                    std::pair(options_.tlsCertificate2, options_.tlsKey2)}) {
        if (cert.isEmpty())
            continue;
        const auto config = tlsConfiguration(cert, key, error);
        if (!config)
            return false;
        tlsConfigurations_.push_back(*config);
    }
    tlsServer_ = std::make_unique<QSslServer>();
    tlsServer_->setSslConfiguration(tlsConfigurations_.front());
    // Players arrive once their handshake is done.
    connect(tlsServer_.get(), &QTcpServer::pendingConnectionAvailable, this,
            [this] { acceptPlayers(*tlsServer_); });
    if (tlsServer_->listen(QHostAddress::LocalHost, *options_.tlsPort))
        return true;
    *error = tlsServer_->errorString();
    return false;
}

bool PracticeServer::switchCertificate()
{
    if (tlsConfigurations_.size() < 2)
        return false;
    tlsServed_ = (tlsServed_ + 1) % tlsConfigurations_.size();
    tlsServer_->setSslConfiguration(tlsConfigurations_[tlsServed_]);
    return true;
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
        if (tlsConfigurations_.size() > 1)
            player->offerCertificateSwitch([this] { return switchCertificate(); });
        ++players_;
        connect(player, &PlayerConnection::finished, this, [this, player] {
            --players_;
            player->deleteLater();
        });
    }
}

} // namespace tw::practice
