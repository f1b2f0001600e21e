#include "net/qt/NativeConnect.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tw {

void NativeConnect::start(const QHostAddress& peer, quint16 port, Done done)
{
    cancel();
    done_ = std::move(done);
    sockaddr_storage address{};
    socklen_t length = 0;
    bool isV4 = false;
    const quint32 v4 = peer.toIPv4Address(&isV4);
    if (isV4) {
        auto* in = reinterpret_cast<sockaddr_in*>(&address);
        in->sin_family = AF_INET;
        in->sin_port = htons(port);
        in->sin_addr.s_addr = htonl(v4);
        length = sizeof(sockaddr_in);
    } else {
        auto* in6 = reinterpret_cast<sockaddr_in6*>(&address);
        in6->sin6_family = AF_INET6;
        in6->sin6_port = htons(port);
        const Q_IPV6ADDR bytes = peer.toIPv6Address();
        std::memcpy(&in6->sin6_addr, &bytes, sizeof bytes);
        in6->sin6_scope_id = peer.scopeId().toUInt();
        length = sizeof(sockaddr_in6);
    }
    fd_ = ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) {
        finish(errno);
        return;
    }
    int result;
    do
        result = ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), length);
    while (result != 0 && errno == EINTR);
    if (result == 0 || errno != EINPROGRESS) {
        finish(result == 0 ? 0 : errno);
        return;
    }
    // Writable once the connection stands or has failed; the socket's error says which.
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Write);
    QObject::connect(notifier_, &QSocketNotifier::activated, [this] {
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
            error = errno;
        finish(error);
    });
}

void NativeConnect::cancel()
{
    if (notifier_) {
        notifier_->setEnabled(false);
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    done_ = nullptr;
}

void NativeConnect::finish(int error)
{
    const int fd = fd_;
    fd_ = -1;
    if (error != 0 && fd >= 0) {
        ::close(fd);
    }
    Done done = std::move(done_);
    cancel();
    if (done)
        done(error == 0 ? fd : -1, error);
}

} // namespace tw
