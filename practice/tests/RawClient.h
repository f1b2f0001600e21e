#pragma once
// A bare socket client for the practice world's tests: no line-end repair, no colour handling,
// it keeps every byte received so that tests can look at the exact stream.
#include <QByteArray>
#include <QTcpSocket>

#include <functional>
#include <vector>

namespace tw::practice::test {

// Runs the event loop until `condition` holds or `milliseconds` have passed.
bool waitUntil(const std::function<bool()>& condition, int milliseconds = 5000);

class RawClient {
public:
    explicit RawClient(quint16 port);

    bool connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    bool waitForDisconnect() { return waitUntil([this] { return socket_.state() == QAbstractSocket::UnconnectedState; }); }

    void sendRaw(const QByteArray& bytes);
    // Sends the line with CR LF, as the client does, and returns everything up to the next
    // prompt ("> " or the login question), prompt included; empty when none came in time.
    QByteArray command(const QByteArray& line, const QByteArray& lineEnd = "\r\n");
    // Waits until the unread text ends with `tail`; returns the unread text and marks it read.
    QByteArray readUntilEnd(const QByteArray& tail, int milliseconds = 5000);
    // Waits until `text` occurs in the unread text; returns the unread text up to and including it.
    QByteArray readThrough(const QByteArray& text, int milliseconds = 5000);
    const QByteArray& everything() const { return received_; }
    // Where each read from the socket ended, as offsets into everything().
    const std::vector<qsizetype>& readEnds() const { return readEnds_; }

    // Logs in with `name`, keeps the first roll; returns the login transcript.
    QByteArray logIn(const QByteArray& name = "Tester");

private:
    QTcpSocket socket_;
    QByteArray received_;
    std::vector<qsizetype> readEnds_;
    qsizetype readUpTo_ = 0;
};

// The text with every ESC[...m sequence taken out.
QByteArray withoutColours(const QByteArray& text);
// What a zlib stream inflates to, as far as it has come.
QByteArray inflateAll(const QByteArray& in);
// The first line of `reply`, without colours, up to the first LF or CR.
QByteArray firstLine(const QByteArray& reply);

} // namespace tw::practice::test
