#pragma once
// Tells a connection the peer reset from one it closed in order. Qt's socket reports both as
// "remote host closed", and the system's error is gone once Qt has read it; a second
// descriptor of the same connection keeps it open to be asked about its TCP state.
namespace tw {

class PeerResetWatch {
public:
    PeerResetWatch() = default;
    ~PeerResetWatch() { stop(); }
    PeerResetWatch(const PeerResetWatch&) = delete;
    PeerResetWatch& operator=(const PeerResetWatch&) = delete;

    // Starts watching the connection of a connected descriptor (which stays the caller's).
    void watch(int descriptor);
    // After the socket has seen the connection end: whether the peer reset it.
    bool peerReset() const;
    // Lets go of the connection. Must come before the socket closes it, or the close would
    // not reach the peer until this watch ends.
    void stop();

private:
    int fd_ = -1;
};

} // namespace tw
