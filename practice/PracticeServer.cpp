#include "PracticeServer.h"

#include "PlayerConnection.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <random>

namespace tw::practice {

PracticeServer::PracticeServer(WorldOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options))
{
    connect(&server_, &QTcpServer::newConnection, this, &PracticeServer::acceptPlayers);
}

bool PracticeServer::listen(QString* error)
{
    // Loopback only: the world is a toy with test commands and must not be reachable from outside.
    if (server_.listen(QHostAddress::LocalHost, options_.port))
        return true;
    *error = server_.errorString();
    return false;
}

void PracticeServer::acceptPlayers()
{
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
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
