#pragma once
// Listens on 127.0.0.1 and gives every client its own PlayerConnection. The map and the notice
// board are shared; everything else belongs to the connection.
#include "NoteBoard.h"
#include "WorldMap.h"
#include "WorldOptions.h"

#include <QObject>
#include <QSslConfiguration>
#include <QString>
#include <QTcpServer>

#include <memory>
#include <vector>

class QSslServer;

namespace tw::practice {

class PracticeServer : public QObject {
    Q_OBJECT
public:
    // Further clients are told that the world is full and sent away.
    static constexpr int kMaxPlayers = 64;

    explicit PracticeServer(WorldOptions options, QObject* parent = nullptr);
    ~PracticeServer() override;

    // Listens on the options' port (0: a free one); on failure returns false and sets `error`.
    bool listen(QString* error);
    quint16 port() const { return server_.serverPort(); }
    // The TLS port (--tls-port), 0 without one.
    quint16 tlsPort() const;
    int playerCount() const { return players_; }
    // TLS connections from now on get the other certificate; false when there is only one.
    bool switchCertificate();
    const NoteBoard& board() const { return board_; }

private:
    void acceptPlayers(QTcpServer& server);
    bool listenTls(QString* error);

    WorldOptions options_;
    WorldMap map_;
    NoteBoard board_;
    QTcpServer server_;
    std::unique_ptr<QSslServer> tlsServer_;
    std::vector<QSslConfiguration> tlsConfigurations_; // the certificates, the one served first
    std::size_t tlsServed_ = 0;
    int players_ = 0;
};

} // namespace tw::practice
