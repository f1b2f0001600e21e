#include "net/qt/PeerResetWatch.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tw {

void PeerResetWatch::watch(int descriptor)
{
    stop();
    fd_ = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
}

bool PeerResetWatch::peerReset() const
{
    if (fd_ < 0)
        return false;
    // An orderly close leaves the connection waiting for our own close; a reset ends it.
    tcp_info info {};
    socklen_t size = sizeof info;
    return ::getsockopt(fd_, IPPROTO_TCP, TCP_INFO, &info, &size) == 0 && info.tcpi_state == TCP_CLOSE;
}

void PeerResetWatch::stop()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace tw
