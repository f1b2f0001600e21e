#pragma once
// One client's connection: reads its bytes into command lines, lets the CommandHandler answer
// them, and writes the answers. Input is read only while the client takes its output, so a
// client that sends without reading stalls itself instead of filling the server's memory.
// An answer that pauses (a message sent in pieces) holds back everything after it, reading
// included, so that the bytes keep their order on the socket and inside the compressed stream.
#include "CommandHandler.h"
#include "InputLineSplitter.h"
#include "PlayerState.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class QTcpSocket;

namespace tw::practice {

class NoteBoard;
class WorldMap;
struct WorldOptions;

class PlayerConnection : public QObject {
    Q_OBJECT
public:
    // Output waiting in the socket beyond this stops the reading of further commands.
    static constexpr qint64 kOutputHighWater = 4 * 1024 * 1024;
    static constexpr qint64 kReadChunk = 4096;
    static constexpr int kFarewellMilliseconds = 10000;

    PlayerConnection(QTcpSocket* socket, const WorldMap& map, NoteBoard& board,
                     const WorldOptions& options, std::mt19937::result_type seed, QObject* parent = nullptr);
    ~PlayerConnection() override;

    // The world has a second TLS certificate: the player's command `certificate` switches.
    void offerCertificateSwitch(std::function<bool()> switchCertificate)
    {
        handler_.switchCertificate = std::move(switchCertificate);
    }

signals:
    void finished();

private:
    void pump();
    void send(ReplyBuilder& reply);
    void onHungerTimer();
    void negotiate();
    void takeTelnet();
    void write(const std::string& bytes);
    void flushOutbox();

    struct Deflater;
    struct Piece {
        std::string bytes;
        bool afterPause = false;
    };

    QTcpSocket* socket_;
    QByteArray lineEnd_;
    PlayerState player_;
    CommandHandler handler_;
    InputLineSplitter splitter_;
    std::deque<InputLine> pendingLines_;
    QTimer hungerTimer_;
    std::deque<Piece> outbox_; // what waits for a pause to end
    QTimer pauseTimer_;
    bool closing_ = false;
    bool modern_ = false;
    TelnetReader telnet_{player_.telnet};
    std::unique_ptr<Deflater> deflater_;
};

} // namespace tw::practice
