#include "PlayerConnection.h"

#include "WorldOptions.h"

#include <QTcpSocket>

#include <zlib.h>

namespace tw::practice {

struct PlayerConnection::Deflater {
    z_stream z{};
    Deflater() { deflateInit(&z, Z_DEFAULT_COMPRESSION); }
    ~Deflater() { deflateEnd(&z); }
    std::string compress(const std::string& in)
    {
        std::string out;
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
        z.avail_in = static_cast<uInt>(in.size());
        char buffer[16384];
        do {
            z.next_out = reinterpret_cast<Bytef*>(buffer);
            z.avail_out = sizeof buffer;
            deflate(&z, Z_SYNC_FLUSH);
            out.append(buffer, sizeof buffer - z.avail_out);
        } while (z.avail_out == 0);
        return out;
    }
};

PlayerConnection::PlayerConnection(QTcpSocket* socket, const WorldMap& map, NoteBoard& board,
                                   const WorldOptions& options, std::mt19937::result_type seed,
                                   QObject* parent)
    : QObject(parent), socket_(socket), lineEnd_(options.lineEnd()),
      handler_(map, board, player_, seed), modern_(options.modern)
{
    player_.modern = modern_;
    socket_->setParent(this);
    // Bounds what Qt buffers from the client; the rest waits in the kernel and then the client.
    socket_->setReadBufferSize(64 * 1024);
    connect(socket_, &QTcpSocket::readyRead, this, &PlayerConnection::pump);
    connect(socket_, &QTcpSocket::bytesWritten, this, &PlayerConnection::pump);
    connect(socket_, &QTcpSocket::disconnected, this, [this] {
        hungerTimer_.stop();
        pauseTimer_.stop();
        emit finished();
    });

    pauseTimer_.setSingleShot(true);
    pauseTimer_.setInterval(options.pieceMilliseconds);
    connect(&pauseTimer_, &QTimer::timeout, this, [this] {
        flushOutbox();
        pump();
    });

    if (options.hungerSeconds > 0) {
        hungerTimer_.setInterval(options.hungerSeconds * 1000);
        connect(&hungerTimer_, &QTimer::timeout, this, &PlayerConnection::onHungerTimer);
        hungerTimer_.start();
    }

    if (modern_)
        negotiate();
    ReplyBuilder greeting(lineEnd_.toStdString(), modern_);
    handler_.greet(greeting);
    send(greeting);
    // Bytes that came with the connection do not raise readyRead again.
    QMetaObject::invokeMethod(this, &PlayerConnection::pump, Qt::QueuedConnection);
}

void PlayerConnection::pump()
{
    while (!closing_ && socket_->state() == QAbstractSocket::ConnectedState
           && socket_->bytesToWrite() < kOutputHighWater) {
        if (!outbox_.empty())
            return; // the timer goes on once the pause is over
        if (pendingLines_.empty()) {
            const QByteArray chunk = socket_->read(kReadChunk);
            if (chunk.isEmpty())
                return;
            std::string text(chunk.constData(), static_cast<std::size_t>(chunk.size()));
            if (modern_) {
                text = telnet_.feed(text);
                takeTelnet();
            }
            for (InputLine& line : splitter_.feed(text))
                pendingLines_.push_back(std::move(line));
            continue;
        }
        ReplyBuilder reply(lineEnd_.toStdString(), modern_);
        handler_.handle(pendingLines_.front(), reply);
        pendingLines_.pop_front();
        send(reply);
    }
}

void PlayerConnection::send(ReplyBuilder& reply)
{
    std::string bytes = reply.takeBytes();
    // An answer that does not end with a line end ends with a prompt.
    if (player_.telnet.endOfRecord && !bytes.empty() && !bytes.ends_with(lineEnd_.toStdString()))
        bytes += std::string{telnet::IAC, telnet::EOR};
    std::size_t from = 0;
    for (const std::size_t pause : reply.pauses()) {
        outbox_.push_back({bytes.substr(from, pause - from), from != 0});
        from = pause;
    }
    outbox_.push_back({bytes.substr(from), from != 0});
    flushOutbox();
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

PlayerConnection::~PlayerConnection() = default;

void PlayerConnection::flushOutbox()
{
    while (!outbox_.empty() && !pauseTimer_.isActive()) {
        Piece& piece = outbox_.front();
        if (piece.afterPause) {
            piece.afterPause = false;
            // What came before the pause leaves now, so that the pieces arrive apart.
            socket_->flush();
            pauseTimer_.start();
            return;
        }
        write(piece.bytes);
        outbox_.pop_front();
    }
}

// The world offers end of record, compression and GMCP and asks for the window size and the
// terminal type. Each command goes out in two writes, split inside, as a careless server's do.
void PlayerConnection::negotiate()
{
    using namespace telnet;
    for (const std::string& c : {command(WILL, EndOfRecord), command(DO, WindowSize),
                                 command(DO, TerminalType), command(WILL, Compress2),
                                 command(WILL, Gmcp)}) {
        write(c.substr(0, 1));
        socket_->flush();
        write(c.substr(1));
    }
}

void PlayerConnection::takeTelnet()
{
    const std::string replies = telnet_.takeReplies();
    if (!replies.empty())
        write(replies);
    if (telnet_.takeCompressionRequest()) {
        // Everything after this subnegotiation is one zlib stream.
        write(std::string{telnet::IAC, telnet::SB, telnet::Compress2, telnet::IAC, telnet::SE});
        deflater_ = std::make_unique<Deflater>();
        player_.telnet.compressing = true;
    }
}

void PlayerConnection::write(const std::string& bytes)
{
    if (bytes.empty())
        return;
    const std::string out = deflater_ ? deflater_->compress(bytes) : bytes;
    socket_->write(out.data(), static_cast<qint64>(out.size()));
}

void PlayerConnection::onHungerTimer()
{
    if (closing_)
        return;
    ReplyBuilder reply(lineEnd_.toStdString(), modern_);
    handler_.hungerTick(reply);
    send(reply);
}

} // namespace tw::practice
