#pragma once
// A game server on 127.0.0.1 that misbehaves as a test tells it to. Every connection it
// accepts runs the same script, one step after another: send bytes, keep sending while the
// client takes them, wait for the client, stop reading, close, or reset the connection.
#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>

#include <sys/socket.h>

#include <memory>
#include <vector>

namespace tw::test {

class FaultServer {
public:
    struct Step {
        enum Kind { Send, KeepSending, AwaitInput, StopReading, Close, Reset } kind;
        QByteArray bytes;
        qint64 total = 0;
    };
    static Step send(QByteArray bytes) { return {Step::Send, std::move(bytes)}; }
    // Sends chunk again and again, whenever the client has taken the last one, until total
    // bytes have gone; the next step runs when all have been written.
    static Step keepSending(QByteArray chunk, qint64 total) { return {Step::KeepSending, std::move(chunk), total}; }
    // Waits until the client sends something.
    static Step awaitInput() { return {Step::AwaitInput, {}}; }
    // From now on nothing the client sends is read: its writes stall once the buffers are full.
    static Step stopReading() { return {Step::StopReading, {}}; }
    // An orderly close once everything written has gone out; the client closes the rest.
    static Step close() { return {Step::Close, {}}; }
    // Ends the connection at once with a reset; what was not sent yet is lost.
    static Step reset() { return {Step::Reset, {}}; }

    explicit FaultServer(std::vector<Step> script) : script_(std::move(script))
    {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* peer = server_.nextPendingConnection())
                start(peer);
        });
    }

    std::string port() const { return std::to_string(server_.serverPort()); }
    int accepted() const { return accepted_; }
    // Connections accepted and not yet closed by either side.
    int open() const { return open_; }
    qint64 received() const { return received_; }

private:
    struct Connection {
        QTcpSocket* socket;
        std::size_t step = 0;
        qint64 sent = 0;
        bool reading = true;
        bool running = false; // a flush reports written bytes from within the script's step
    };

    void start(QTcpSocket* peer)
    {
        ++accepted_;
        ++open_;
        auto c = std::make_shared<Connection>(Connection{peer});
        QObject::connect(peer, &QTcpSocket::readyRead, peer, [this, c] {
            if (!c->reading)
                return;
            received_ += c->socket->readAll().size();
            if (c->step < script_.size() && script_[c->step].kind == Step::AwaitInput) {
                ++c->step;
                run(c);
            }
        });
        QObject::connect(peer, &QTcpSocket::bytesWritten, peer, [this, c] { run(c); });
        QObject::connect(peer, &QTcpSocket::disconnected, peer, [this, peer] {
            --open_;
            peer->deleteLater();
        });
        run(c);
    }

    void run(const std::shared_ptr<Connection>& c)
    {
        if (c->running)
            return;
        c->running = true;
        advance(c.get());
        c->running = false;
    }

    void advance(Connection* c)
    {
        QTcpSocket* s = c->socket;
        while (c->step < script_.size() && s->state() == QAbstractSocket::ConnectedState) {
            const Step& step = script_[c->step];
            switch (step.kind) {
            case Step::Send:
                s->write(step.bytes);
                s->flush(); // into the system's buffers now, so that a reset comes after them
                break;
            case Step::KeepSending:
                if (s->bytesToWrite() > 0)
                    return; // on with it when the client has taken what is written
                if (c->sent < step.total) {
                    const QByteArray chunk = step.bytes.left(int(std::min<qint64>(step.bytes.size(), step.total - c->sent)));
                    c->sent += s->write(chunk);
                    return;
                }
                break;
            case Step::AwaitInput:
                return;
            case Step::StopReading:
                c->reading = false;
                s->setReadBufferSize(1);
                break;
            case Step::Close:
                if (s->bytesToWrite() > 0)
                    return; // on with it when everything has been written
                // Only the sending half: a close with the client's text unread would reset
                // the connection and lose what the client has not read yet.
                ::shutdown(int(s->socketDescriptor()), SHUT_WR);
                ++c->step;
                return;
            case Step::Reset: {
                const linger hard{1, 0};
                ::setsockopt(int(s->socketDescriptor()), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                ++c->step;
                s->abort(); // reports the disconnection, which counts it and frees the socket
                return;
            }
            }
            ++c->step;
        }
    }

    std::vector<Step> script_;
    QTcpServer server_;
    int accepted_ = 0, open_ = 0;
    qint64 received_ = 0;
};

} // namespace tw::test
