#include "PlayerConnection.h"

#include "WorldOptions.h"

#include <QTcpSocket>

namespace tw::practice {

PlayerConnection::PlayerConnection(QTcpSocket* socket, const WorldMap& map, NoteBoard& board,
                                   const WorldOptions& options, std::mt19937::result_type seed,
                                   QObject* parent)
    : QObject(parent), socket_(socket), lineEnd_(options.lineEnd()),
      handler_(map, board, player_, seed)
{
    socket_->setParent(this);
    // Bounds what Qt buffers from the client; the rest waits in the kernel and then the client.
    socket_->setReadBufferSize(64 * 1024);
    connect(socket_, &QTcpSocket::readyRead, this, &PlayerConnection::pump);
    connect(socket_, &QTcpSocket::bytesWritten, this, &PlayerConnection::pump);
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        hungerTimer_.stop();
        emit finished();
    });

    if (options.hungerSeconds > 0) {
        hungerTimer_.setInterval(options.hungerSeconds * 1000);
        connect(&hungerTimer_, &QTimer::timeout, this, &PlayerConnection::onHungerTimer);
        hungerTimer_.start();
    }

    ReplyBuilder greeting(lineEnd_.toStdString());
    handler_.greet(greeting);
    send(greeting);
    // Bytes that came with the connection do not raise readyRead again.
    QMetaObject::invokeMethod(this, &PlayerConnection::pump, Qt::QueuedConnection);
}

void PlayerConnection::pump()
{
    while (!closing_ && socket_->state() == QAbstractSocket::ConnectedState
           && socket_->bytesToWrite() < kOutputHighWater) {
        if (pendingLines_.empty()) {
            const QByteArray chunk = socket_->read(kReadChunk);
            if (chunk.isEmpty())
                return;
            for (InputLine& line : splitter_.feed(std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size()))))
                pendingLines_.push_back(std::move(line));
            continue;
        }
        ReplyBuilder reply(lineEnd_.toStdString());
        handler_.handle(pendingLines_.front(), reply);
        pendingLines_.pop_front();
        send(reply);
    }
}

void PlayerConnection::send(ReplyBuilder& reply)
{
    if (!reply.bytes().empty())
        socket_->write(reply.bytes().data(), static_cast<qint64>(reply.bytes().size()));
    if (reply.closes()) {
        closing_ = true;
        pendingLines_.clear();
        hungerTimer_.stop();
        // Closes once the farewell has been written; a client that never reads it is cut off.
        socket_->disconnectFromHost();
        if (socket_->state() != QAbstractSocket::UnconnectedState)
            QTimer::singleShot(kFarewellMilliseconds, socket_, &QTcpSocket::abort);
    }
}

void PlayerConnection::onHungerTimer()
{
    if (closing_)
        return;
    ReplyBuilder reply(lineEnd_.toStdString());
    handler_.hungerTick(reply);
    send(reply);
}

} // namespace tw::practice
