#include "net/qt/TBasicClientSocket.h"

#include "net/SocketNames.h"
#include "net/qt/SocketNotificationQueue.h"

#include <unistd.h>

#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QMetaMethod>
#include <QNetworkProxy>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <exception>
#include <utility>

namespace tw {

namespace {

// A socket that still has unsent bytes when it is closed gets this long to deliver them.
constexpr int LingerMilliseconds = 10000;

// The platform's socket errors in the numbering of the program's error texts.
int sockErrorFor(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionRefusedError:
        return SockErr::ConnectionRefused;
    case QAbstractSocket::RemoteHostClosedError:
    case QAbstractSocket::ProxyConnectionClosedError:
        return SockErr::ConnectionReset;
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::ProxyNotFoundError:
        return SockErr::HostNotFound;
    case QAbstractSocket::SocketAccessError:
        return SockErr::Access;
    case QAbstractSocket::SocketResourceError:
        return SockErr::NoBufferSpace;
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::ProxyConnectionTimeoutError:
        return SockErr::TimedOut;
    case QAbstractSocket::DatagramTooLargeError:
        return SockErr::MessageSize;
    case QAbstractSocket::NetworkError:
        return SockErr::NetworkUnreachable;
    case QAbstractSocket::AddressInUseError:
        return SockErr::AddressInUse;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return SockErr::AddressNotAvailable;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return SockErr::AddressFamilyNotSupported;
    case QAbstractSocket::UnfinishedSocketOperationError:
        return SockErr::InProgress;
    case QAbstractSocket::TemporaryError:
        return SockErr::WouldBlock;
    case QAbstractSocket::ProxyAuthenticationRequiredError:
    case QAbstractSocket::ProxyProtocolError:
        return SockErr::ConnectionAborted;
    default:
        return SockErr::Invalid;
    }
}

int sockErrorFor(QHostInfo::HostInfoError error)
{
    switch (error) {
    case QHostInfo::NoError:
        return SockErr::None;
    case QHostInfo::HostNotFound:
        return SockErr::HostNotFound;
    default:
        // The resolver could not answer now (a temporary failure, for instance).
        return SockErr::TryAgain;
    }
}

std::string cut(const std::string& text)
{
    return text.size() > TBasicClientSocket::MaxTextLength
               ? text.substr(0, TBasicClientSocket::MaxTextLength)
               : text;
}

} // namespace

TBasicClientSocket::TBasicClientSocket(QObject* parent)
    : QObject(parent), handshakeTimer_(new QTimer(this)), supervision_(new QTimer(this))
{
    supervision_->setInterval(1000);
    connect(supervision_, &QTimer::timeout, this, &TBasicClientSocket::superviseTick);
    handshakeTimer_->setSingleShot(true);
    connect(handshakeTimer_, &QTimer::timeout, this, [this] {
        if (!socket_ || !connectPending_)
            return;
        tlsFailure_ = TlsFailure::HandshakeTimedOut;
        notify(Notice::ConnectDone, SockErr::TimedOut);
    });
}

TBasicClientSocket::~TBasicClientSocket()
{
    supervision_->stop();
    SocketNotificationQueue::discard(this);
    resetWatch_.stop();
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

void TBasicClientSocket::setAddress(const std::string& address)
{
    address_ = cut(address);
    const std::optional<std::string> tlsTarget = tlsAllowed_ ? tlsHost(address_) : std::nullopt;
    tls_ = tlsTarget.has_value();
    const std::string target = tlsTarget.value_or(address_);
    if (isDottedAddress(target)) {
        dottedAddress_ = target;
        hostName_.clear();
    } else {
        hostName_ = target;
        dottedAddress_.clear();
    }
}

void TBasicClientSocket::setTlsAllowed(bool allowed)
{
    tlsAllowed_ = allowed;
    setAddress(address_);
}

void TBasicClientSocket::setPort(const std::string& port)
{
    port_ = cut(port);
    PortName name = parsePort(port_, protocol_);
    portNumber_ = name.number;
    serviceName_ = std::move(name.service);
}

void TBasicClientSocket::setProtocol(const std::string& protocol)
{
    protocol_ = cut(protocol);
}

void TBasicClientSocket::setTimeOut(int seconds)
{
    timeOut_ = std::max(0, seconds);
}

void TBasicClientSocket::Open()
{
    if (state_ != StateClosed)
        throw SockError(SockErr::IsConnected, SockCtx::AlreadyOpened);

    // A socket left by an earlier attempt that never connected is dropped without events.
    abandonSocket();
    const quint64 attempt = ++attempt_;
    abort_ = false;
    connectPending_ = true;

    tlsFailure_ = TlsFailure::None;
    lastErrorDetail_.clear();
    socket_ = tls_ ? new QSslSocket(this) : new QTcpSocket(this);
    handle_ = nextHandle_++;
    socket_->setProxy(QNetworkProxy::NoProxy);
    socket_->setReadBufferSize(ReceiveBufferLimit);
    const quint64 handle = handle_;
    if (auto* ssl = qobject_cast<QSslSocket*>(socket_)) {
        // A TLS connection is made once the handshake is done and the certificate accepted.
        connect(ssl, &QSslSocket::encrypted, this, [this, handle] {
            if (handle != handle_)
                return;
            handshakeTimer_->stop();
            notify(Notice::ConnectDone, SockErr::None);
        });
        connect(ssl, &QSslSocket::sslErrors, this, [this, handle](const QList<QSslError>& errors) {
            checkCertificate(handle, errors);
        });
    } else {
        connect(socket_, &QTcpSocket::connected, this, [this, handle] {
            if (handle == handle_)
                notify(Notice::ConnectDone, SockErr::None);
        });
    }
    connect(socket_, &QTcpSocket::errorOccurred, this, [this, handle](QAbstractSocket::SocketError error) {
        // Errors of an open connection are followed by disconnected(); only a failed
        // attempt ends here.
        if (handle == handle_ && state_ == StateClosed) {
            if (handshakeTimer_->isActive())
                handshakeFailed(error);
            notify(Notice::ConnectDone, sockErrorFor(error));
        }
    });
    connect(socket_, &QTcpSocket::readyRead, this, [this, handle] {
        if (handle == handle_)
            notify(Notice::Read, SockErr::None);
    });
    connect(socket_, &QTcpSocket::bytesWritten, this, [this, handle] {
        if (handle == handle_ && writeWanted_ && state_ == StateConnected
            && socket_->bytesToWrite() < static_cast<qint64>(SendBufferLimit)) {
            writeWanted_ = false;
            notify(Notice::Write, SockErr::None);
        }
    });
    connect(socket_, &QTcpSocket::disconnected, this, [this, handle] {
        if (handle != handle_)
            return;
        // Qt reports an orderly close and a reset alike; the watch tells them apart.
        const QAbstractSocket::SocketError error = socket_->error();
        const bool reset = resetWatch_.peerReset();
        resetWatch_.stop();
        notify(Notice::PeerClosed, error != QAbstractSocket::RemoteHostClosedError ? sockErrorFor(error)
                                   : reset                                      ? SockErr::ConnectionReset
                                                                                : SockErr::None);
    });

    emit OnInfo(InfoLookingUp);
    if (!attemptStillCurrent(attempt))
        return;

    QHostAddress peer;
    if (!hostName_.empty()) {
        if (!resolveHost(attempt, peer))
            return;
    } else {
        if (dottedAddress_.empty())
            throw SockError(SockErr::None, SockCtx::NoAddress);
        peer = QHostAddress(QString::fromStdString(dottedAddress_));
    }
    if (!serviceName_.empty()) {
        // The service is looked up again in case the protocol changed since Port was set; an
        // unknown service keeps the port it had.
        if (auto port = servicePort(serviceName_, protocol_))
            portNumber_ = *port;
    }

    emit OnInfo(InfoConnecting);
    if (!attemptStillCurrent(attempt))
        return;

    startSupervision();
    // Some systems finish or refuse a local connect inside this call; those notifications are
    // held back so that completion always comes after Open has returned.
    openInProgress_ = true;
    // The certificate is checked against the name the player gave, not the address.
    const QString verifyName = QString::fromStdString(hostName_.empty() ? dottedAddress_ : hostName_);
    connector_.start(peer, portNumber_, [this, handle, verifyName](int descriptor, int error) {
        if (handle != handle_ || !socket_) {
            if (descriptor >= 0)
                ::close(descriptor);
            return;
        }
        if (error != 0) {
            notify(Notice::ConnectDone, sockErrorForErrno(error));
            return;
        }
        resetWatch_.watch(descriptor);
        if (!socket_->setSocketDescriptor(descriptor, QAbstractSocket::ConnectedState)) {
            resetWatch_.stop();
            ::close(descriptor);
            notify(Notice::ConnectDone, sockErrorFor(socket_->error()));
            return;
        }
        if (auto* ssl = qobject_cast<QSslSocket*>(socket_)) {
            ssl->setPeerVerifyName(verifyName);
            handshakeTimer_->start(handshakeLimit);
            ssl->startClientEncryption();
        } else {
            notify(Notice::ConnectDone, SockErr::None);
        }
    });
    openInProgress_ = false;
}

void TBasicClientSocket::checkCertificate(quint64 handle, const QList<QSslError>& errors)
{
    auto* ssl = qobject_cast<QSslSocket*>(socket_);
    if (!ssl || handle != handle_)
        return;
    const QSslCertificate certificate = ssl->peerCertificate();
    const std::string fingerprint =
        certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper().toStdString();
    QStringList problems;
    for (const QSslError& e : errors)
        problems << e.errorString();
    const std::string host = hostName_.empty() ? dottedAddress_ : hostName_;
    const bool trusted = trustCertificate && !certificate.isNull() &&
                         trustCertificate(host, portNumber_, fingerprint, problems.join("; ").toStdString());
    // The question may have run the event loop; the attempt may be gone.
    if (handle != handle_ || socket_ != ssl)
        return;
    if (trusted)
        ssl->ignoreSslErrors();
    else
        tlsFailure_ = TlsFailure::CertificateRefused;
}

bool TBasicClientSocket::Handshaking() const { return handshakeTimer_->isActive(); }

void TBasicClientSocket::handshakeFailed(QAbstractSocket::SocketError error)
{
    handshakeTimer_->stop();
    if (tlsFailure_ != TlsFailure::None)
        return;
    lastErrorDetail_ = socket_->errorString().toStdString();
    // What the TLS library says when the first bytes back are no TLS record: a plain server's
    // greeting, or its answer to the client's hello.
    static const char* const NotTlsSigns[] = {"wrong version number", "packet length too long",
                                              "unknown protocol", "http request", "record layer failure"};
    const bool notTls = error == QAbstractSocket::SslHandshakeFailedError &&
                        std::any_of(std::begin(NotTlsSigns), std::end(NotTlsSigns), [this](const char* sign) {
                            return lastErrorDetail_.find(sign) != std::string::npos;
                        });
    tlsFailure_ = notTls ? TlsFailure::NotTls : TlsFailure::HandshakeFailed;
}

bool TBasicClientSocket::resolveHost(quint64 attempt, QHostAddress& peer)
{
    QHostInfo result;
    bool done = false;
    QEventLoop loop;
    {
        // The context object ends the look-up's claim on this frame when the wait is left early.
        QObject context;
        const int lookupId = QHostInfo::lookupHost(QString::fromStdString(hostName_), &context,
                                                   [&](const QHostInfo& info) {
                                                       result = info;
                                                       done = true;
                                                       loop.quit();
                                                   });
        startSupervision();
        waits_.push_back(&loop);
        SocketNotificationQueue::beginWait();
        if (!done)
            loop.exec();
        SocketNotificationQueue::endWait();
        std::erase(waits_, &loop);
        if (!done)
            QHostInfo::abortHostLookup(lookupId);
    }
    stopSupervision();

    // Closed or opened again while waiting: that newer request owns the socket now.
    if (!attemptStillCurrent(attempt))
        return false;
    if (abort_)
        throw SockError(SockErr::TimedOut, SockCtx::FindingAddress);
    // The application is ending.
    if (!done)
        return false;
    if (result.error() != QHostInfo::NoError)
        throw SockError(sockErrorFor(result.error()), SockCtx::FindingAddress);

    const QList<QHostAddress> addresses = result.addresses();
    if (addresses.isEmpty())
        throw SockError(SockErr::NoData, SockCtx::FindingAddress);
    auto ipv4 = std::find_if(addresses.begin(), addresses.end(), [](const QHostAddress& a) {
        return a.protocol() == QAbstractSocket::IPv4Protocol;
    });
    peer = ipv4 != addresses.end() ? *ipv4 : addresses.front();
    dottedAddress_ = peer.toString().toStdString();
    return true;
}

void TBasicClientSocket::Close()
{
    if (!socket_)
        return;
    stopSupervision();
    ++attempt_;
    interruptWaits();

    const bool wasConnected = state_ == StateConnected;
    state_ = StateClosing;
    QTcpSocket* closing = socket_;
    // A handler may close the socket itself, or open a new one.
    if (wasConnected && !drainUnread(closing))
        return;

    releaseSocket(false);
    // Everything is settled before the event, so its handler may open the socket again.
    emit OnInfo(InfoClosed);
}

std::size_t TBasicClientSocket::Read(char* buffer, std::size_t maximum)
{
    emit OnInfo(InfoReading);
    if (!socket_ || (state_ != StateConnected && state_ != StateClosing))
        throw SockError(SockErr::NotConnected, SockCtx::NotOpen);
    if (readFailure_ && socket_->bytesAvailable() <= 0)
        throw SockError(std::exchange(readFailure_, 0), SockCtx::Receiving);
    if (maximum == 0 || !buffer)
        return 0;
    const qint64 got = socket_->read(buffer, static_cast<qint64>(maximum));
    if (got >= 0)
        return static_cast<std::size_t>(got);
    // After the peer has closed, an empty buffer reads as the end of the stream.
    if (socket_->state() != QAbstractSocket::ConnectedState)
        return 0;
    throw SockError(sockErrorFor(socket_->error()), SockCtx::Receiving);
}

std::size_t TBasicClientSocket::Write(const char* data, std::size_t length)
{
    if (length == 0)
        return 0;
    emit OnInfo(InfoWriting);
    if (!socket_ || state_ != StateConnected || !data)
        return 0;
    const qint64 waiting = socket_->bytesToWrite();
    const qint64 room = static_cast<qint64>(SendBufferLimit) - waiting;
    if (room <= 0) {
        writeWanted_ = true;
        return 0;
    }
    const qint64 taken = socket_->write(data, std::min(room, static_cast<qint64>(length)));
    if (taken < 0)
        throw SockError(sockErrorFor(socket_->error()), SockCtx::Sending);
    if (static_cast<std::size_t>(taken) < length)
        writeWanted_ = true;
    return static_cast<std::size_t>(taken);
}

void TBasicClientSocket::notify(Notice notice, int error)
{
    const quint64 handle = handle_;
    if (SocketNotificationQueue::holding() || openInProgress_) {
        SocketNotificationQueue::post(this, [this, handle, notice, error] {
            deliver(handle, notice, error);
        });
    } else {
        deliver(handle, notice, error);
    }
}

void TBasicClientSocket::deliver(quint64 handle, Notice notice, int error)
{
    // Notifications of a socket that has since been closed or replaced are void.
    if (!socket_ || handle != handle_)
        return;
    lastError_ = error;
    switch (notice) {
    case Notice::ConnectDone:
        if (connectPending_)
            completeConnect(error);
        break;
    case Notice::Read:
        if (connectPending_ && socket_->state() == QAbstractSocket::ConnectedState &&
            (!qobject_cast<QSslSocket*>(socket_) || static_cast<QSslSocket*>(socket_)->isEncrypted()))
            completeConnect(SockErr::None);
        deliverRead();
        break;
    case Notice::Write:
        if (state_ == StateConnected)
            emitGuarded([this] { emit OnWrite(); });
        break;
    case Notice::PeerClosed:
        peerClosed(error);
        break;
    }
}

void TBasicClientSocket::completeConnect(int error)
{
    stopSupervision();
    connectPending_ = false;
    lastError_ = error;
    const quint64 handle = handle_;
    if (error == SockErr::None) {
        state_ = StateConnected;
        emitGuarded([this] { emit OnInfo(InfoConnected); });
    }
    emitGuarded([this] { emit OnConnect(); });
    // A new connection can take data at once; this lets text that waits for it go.
    if (error == SockErr::None && handle == handle_ && state_ == StateConnected)
        notify(Notice::Write, SockErr::None);
}

void TBasicClientSocket::deliverRead()
{
    readScheduled_ = false;
    const qint64 before = socket_->bytesAvailable();
    if (state_ != StateConnected || before <= 0)
        return;
    const quint64 handle = handle_;
    emitGuarded([this] { emit OnRead(); });
    // The platform announces only bytes that are new; bytes a reader left behind get their
    // own turn, or they would wait for the next arrival. A reader that took nothing is not
    // asked again until more arrives, as it would be asked for ever.
    if (handle == handle_ && socket_ && socket_->bytesAvailable() < before)
        scheduleRead();
}

void TBasicClientSocket::scheduleRead()
{
    if (readScheduled_ || !socket_ || state_ != StateConnected || socket_->bytesAvailable() <= 0)
        return;
    readScheduled_ = true;
    const quint64 handle = handle_;
    SocketNotificationQueue::post(this, [this, handle] {
        deliver(handle, Notice::Read, SockErr::None);
    });
}

bool TBasicClientSocket::drainUnread(QTcpSocket* socket)
{
    if (!isSignalConnected(QMetaMethod::fromSignal(&TBasicClientSocket::OnRead)))
        return socket_ == socket;
    while (socket_ == socket) {
        const qint64 before = socket->bytesAvailable();
        if (before <= 0)
            break;
        emitGuarded([this] { emit OnRead(); });
        // A reader that takes nothing would hold the close for ever.
        if (socket_ == socket && socket->bytesAvailable() >= before)
            break;
    }
    return socket_ == socket;
}

void TBasicClientSocket::peerClosed(int error)
{
    lastError_ = error;
    if (state_ != StateConnected)
        return;
    stopSupervision();
    const quint64 handle = handle_;
    if (error != SockErr::None) {
        // A connection that broke (a reset) gives the reader what arrived before the break,
        // then a read that fails with it, as the system's own read would.
        QTcpSocket* socket = socket_;
        readFailure_ = error;
        if (!drainUnread(socket))
            return;
        if (readFailure_ && isSignalConnected(QMetaMethod::fromSignal(&TBasicClientSocket::OnRead)))
            emitGuarded([this] { emit OnRead(); });
        readFailure_ = 0;
        if (handle != handle_)
            return;
    }
    emitGuarded([this] { emit OnInfo(InfoPeerClosed); });
    emitGuarded([this] { emit OnDisconnect(); });
    // The handlers may have closed the socket and opened a new one already; that one stays.
    if (handle != handle_)
        return;
    emitGuarded([this] { Close(); });
}

void TBasicClientSocket::abandonSocket()
{
    if (!socket_)
        return;
    stopSupervision();
    interruptWaits();
    releaseSocket(true);
}

void TBasicClientSocket::releaseSocket(bool abortNow)
{
    connector_.cancel();
    handshakeTimer_->stop();
    resetWatch_.stop();
    readFailure_ = 0;
    QTcpSocket* socket = socket_;
    socket_ = nullptr;
    handle_ = 0;
    state_ = StateClosed;
    connectPending_ = false;
    writeWanted_ = false;
    readScheduled_ = false;
    SocketNotificationQueue::discard(this);

    socket->disconnect(this);
    // An attempt still under way has nothing to deliver and is cut off at once.
    if (abortNow || socket->state() != QAbstractSocket::ConnectedState) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // Bytes already taken by Write still go out, as a closing system socket would send them.
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(LingerMilliseconds, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
}

bool TBasicClientSocket::attemptStillCurrent(quint64 attempt) const
{
    return attempt == attempt_ && socket_ != nullptr;
}

void TBasicClientSocket::startSupervision()
{
    if (timeOut_ <= 0 || !isSignalConnected(QMetaMethod::fromSignal(&TBasicClientSocket::OnTimeOut)))
        return;
    remainingSeconds_ = timeOut_;
    supervision_->start();
}

void TBasicClientSocket::stopSupervision()
{
    supervision_->stop();
}

void TBasicClientSocket::superviseTick()
{
    if (--remainingSeconds_ > 0)
        return;
    supervision_->stop();
    emitGuarded([this] { emit OnInfo(InfoTimedOut); });
    abort_ = true;
    interruptWaits();
    emitGuarded([this] { emit OnTimeOut(); });
}

void TBasicClientSocket::interruptWaits()
{
    for (QEventLoop* loop : waits_)
        loop->quit();
}

template <typename Emit>
void TBasicClientSocket::emitGuarded(Emit emitter)
{
    // An exception must not cross the event loop: it is reported, and later notifications
    // still arrive.
    QString message;
    try {
        emitter();
        return;
    } catch (const std::exception& error) {
        message = QString::fromLatin1(error.what());
    } catch (...) {
        message = QStringLiteral("Unknown exception");
    }
    try {
        emit OnError(message);
    } catch (...) {
    }
}

} // namespace tw
