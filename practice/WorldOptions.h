#pragma once
// The command line of the practice world.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace tw::practice {

struct WorldOptions {
    quint16 port = 4000;            // 0 picks a free port and announces it
    std::optional<std::uint32_t> seed;
    bool crlf = false;              // CR LF line ends instead of the old games' LF CR
    int hungerSeconds = 60;         // 0 switches the hunger reminder off
    bool modern = false;            // speaks telnet: negotiation, a password, compression, GMCP
    // The pause inside a message sent in pieces. Not on the command line: tests lengthen it so
    // that the pieces arrive apart even on a busy machine.
    int pieceMilliseconds = 30;
    std::optional<quint16> tlsPort; // a second port with TLS (0: a free one)
    QString tlsCertificate, tlsKey; // PEM files for the TLS port
    // A second certificate for the TLS port, served once a player asks for it (`certificate`).
    QString tlsCertificate2, tlsKey2;

    QByteArray lineEnd() const { return crlf ? QByteArray("\r\n") : QByteArray("\n\r"); }

    // `arguments` includes the program name first, as QCoreApplication::arguments() gives it.
    // On a bad command line returns nothing and sets `error`; "--help" sets `error` to the usage.
    static std::optional<WorldOptions> parse(const QStringList& arguments, QString* error);
};

} // namespace tw::practice
