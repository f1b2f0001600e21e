#pragma once
// Connects a TCP socket of our own without blocking and hands the connected descriptor over.
// Qt's socket calls connect again when the connection was reset before it noticed that the
// connection stood, and on Linux that starts a new connection: a server that resets every
// connection at once would be connected to thousands of times a second. Here a reset before
// the hand-over fails the attempt, once.
#include <QHostAddress>

#include <functional>

class QSocketNotifier;

namespace tw {

class NativeConnect {
public:
    // Runs once: with the connected descriptor (the receiver's from then on) and 0, or with -1
    // and the errno value of the failure.
    using Done = std::function<void(int descriptor, int error)>;

    NativeConnect() = default;
    ~NativeConnect() { cancel(); }
    NativeConnect(const NativeConnect&) = delete;
    NativeConnect& operator=(const NativeConnect&) = delete;

    // Starts connecting to peer:port; done may run before start returns.
    void start(const QHostAddress& peer, quint16 port, Done done);
    // Stops an attempt under way without calling done, and closes its descriptor.
    void cancel();

private:
    void finish(int error);

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    Done done_;
};

} // namespace tw
