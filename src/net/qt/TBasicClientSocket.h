#pragma once
// The game connection: an event-driven TCP client that resolves a host and a service, connects
// without blocking the window, reports its progress as information codes and raises events
// when data can be read or written and when the peer closes. Every failure of a method is
// thrown as SockError with the program's fixed texts.
#include "core/SocketPort.h"
#include "net/SockError.h"
#include "net/qt/NativeConnect.h"
#include "net/qt/PeerResetWatch.h"

#include <QAbstractSocket>
#include <QObject>
#include <QPointer>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QEventLoop;
class QHostAddress;
class QSslError;
class QTcpSocket;
class QTimer;

namespace tw {

class TBasicClientSocket : public QObject {
    Q_OBJECT
public:
    // States of the connection; Connected() means StateConnected.
    enum { StateClosed = 0, StateConnected = 1, StateClosing = 2 };

    // Information codes passed to OnInfo.
    enum {
        InfoLookingUp = 1,
        InfoConnecting = 2,
        InfoConnected = 3,
        InfoReading = 5,
        InfoWriting = 6,
        InfoClosed = 7,
        InfoTimedOut = 8,
        InfoPeerClosed = 12,
    };

    // Write takes no more than this many bytes that the system has not yet been given; the
    // rest waits for the caller until OnWrite.
    static constexpr std::size_t SendBufferLimit = 64 * 1024;
    // Received bytes held for the reader; beyond this the system's window holds the sender back.
    static constexpr std::int64_t ReceiveBufferLimit = 1024 * 1024;
    static constexpr std::size_t MaxTextLength = 255;

    explicit TBasicClientSocket(QObject* parent = nullptr);
    ~TBasicClientSocket() override;

    // A dotted address or a host name; the two are held apart. While TLS is allowed, an
    // address "tls://HOST" connects to HOST with TLS.
    void setAddress(const std::string& address);
    void setTlsAllowed(bool allowed);
    bool usesTls() const { return tls_; }
    // Asked when the server's certificate cannot be verified: host, port, SHA-256 fingerprint
    // and what is wrong with it; true to connect all the same. It must not wait for the player.
    std::function<bool(const std::string& host, std::uint16_t port, const std::string& fingerprint,
                       const std::string& problems)> trustCertificate;
    // Why the last TLS attempt failed, and the TLS library's words for it (empty when none).
    TlsFailure tlsFailure() const { return tlsFailure_; }
    const std::string& lastErrorDetail() const { return lastErrorDetail_; }
    // The TLS handshake of the attempt is under way: the connection stands, not yet encrypted.
    bool Handshaking() const;
    // The handshake's time limit, in milliseconds; tests shorten it.
    int handshakeLimit = TlsHandshakeSeconds * 1000;
    const std::string& address() const { return address_; }
    const std::string& hostName() const { return hostName_; }
    const std::string& dottedAddress() const { return dottedAddress_; }

    // A decimal port or a service name, looked up with the current Protocol; a failed look-up
    // leaves port 0 or an empty service name and raises nothing.
    void setPort(const std::string& port);
    const std::string& port() const { return port_; }
    std::uint16_t portNumber() const { return portNumber_; }
    const std::string& serviceName() const { return serviceName_; }

    void setProtocol(const std::string& protocol);
    const std::string& protocol() const { return protocol_; }

    // Seconds of supervision for look-ups and connects; only used while OnTimeOut is connected.
    void setTimeOut(int seconds);
    int timeOut() const { return timeOut_; }

    // Starts a connection; completion comes as OnConnect. Throws SockError.
    void Open();
    // Gives the reader the unread bytes, closes and raises OnInfo(7). Nothing without a handle.
    void Close();

    bool Connected() const { return state_ == StateConnected; }
    int State() const { return state_; }
    int LastError() const { return lastError_; }
    // The text of LastError, e.g. "Connection refused".
    std::string LastErrorText() const { return SockError::errorText(lastError_); }
    bool HasHandle() const { return socket_ != nullptr; }

    // Returns the bytes read, 0 when none wait. Throws "Socket not open" unless connected or
    // closing. After the peer reset the connection, the read after the last bytes throws the
    // reset ("Error 10054 (Connection reset by peer) recieving").
    std::size_t Read(char* buffer, std::size_t maximum);
    // Returns how many bytes were taken now (0 when the send buffer is full or the socket is
    // not connected); after a short write OnWrite tells when more can be written.
    std::size_t Write(const char* data, std::size_t length);

signals:
    void OnInfo(int code);
    void OnConnect();
    void OnDisconnect();
    void OnRead();
    void OnWrite();
    void OnTimeOut();
    // An exception escaped a handler of a notification; later notifications still arrive.
    void OnError(const QString& message);

private:
    enum class Notice { Read, Write, ConnectDone, PeerClosed };

    void notify(Notice notice, int error);
    void deliver(quint64 handle, Notice notice, int error);
    void completeConnect(int error);
    void peerClosed(int error);
    void deliverRead();
    void scheduleRead();
    // Raises OnRead while the reader takes the unread bytes; false when a handler closed or
    // replaced the socket meanwhile.
    bool drainUnread(QTcpSocket* socket);

    bool resolveHost(quint64 attempt, QHostAddress& peer);
    void abandonSocket();
    void releaseSocket(bool abortNow);
    bool attemptStillCurrent(quint64 attempt) const;

    void startSupervision();
    void stopSupervision();
    void superviseTick();
    void interruptWaits();

    template <typename Emit>
    void emitGuarded(Emit emitter);

    void checkCertificate(quint64 handle, const QList<QSslError>& errors);
    void handshakeFailed(QAbstractSocket::SocketError error);

    std::string address_;
    bool tlsAllowed_ = false;
    bool tls_ = false;
    TlsFailure tlsFailure_ = TlsFailure::None;
    std::string lastErrorDetail_;
    QTimer* handshakeTimer_ = nullptr; // runs while the handshake does
    std::string hostName_;
    std::string dottedAddress_ = "0.0.0.0";
    std::string port_;
    std::uint16_t portNumber_ = 0;
    std::string serviceName_;
    std::string protocol_ = "tcp";
    int timeOut_ = 0;

    QTcpSocket* socket_ = nullptr;
    NativeConnect connector_;     // the connect under way; the socket takes over once it stands
    PeerResetWatch resetWatch_;   // the connection the socket holds, to tell a reset from a close
    int readFailure_ = 0;         // the error the next read meets once the bytes are taken
    quint64 handle_ = 0;          // serial of the current socket, 0 without one
    quint64 nextHandle_ = 1;
    quint64 attempt_ = 0;         // bumped by every Open and Close, ending older waits
    int state_ = StateClosed;
    int lastError_ = 0;
    bool writeWanted_ = false;    // a short write waits for OnWrite
    bool readScheduled_ = false;
    bool connectPending_ = false; // a connect request awaits its completion
    bool openInProgress_ = false;

    QTimer* supervision_ = nullptr;
    int remainingSeconds_ = 0;
    bool abort_ = false;
    std::vector<QEventLoop*> waits_;
};

} // namespace tw
