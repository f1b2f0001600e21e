#pragma once
// Connecting, the socket's progress reports, loss of connection, reconnection and the
// ten-second grace period of an attempt.
#include <cstdint>
#include <functional>
#include <string>

namespace tw {

class Host;
class SocketPort;

class ConnectionLifecycle {
public:
    ConnectionLifecycle(Host& host, SocketPort& socket);

    // Settings and neighbours the life cycle consults.
    std::function<bool()> autoReconnect = [] { return true; };
    // Runs when a connection ends (peer close, Disconnect, failed attempt): the text that
    // was waiting to be sent belongs to that connection and is dropped.
    std::function<void()> connectionEnded;
    // Runs on a successful connect: clears the plain view and writes the blank lines.
    std::function<void()> connected;
    // A notice for the terminal, such as the wait before a reconnect.
    std::function<void(const std::string&)> notice;

    // A connect chosen from the MUD list. Throws what the socket's open throws; the state
    // of the session is then as it was before (apart from the Last* host fields).
    void connectTo(const std::string& name, const std::string& address, const std::string& port);
    void Disconnect1Click();
    void Reconnect();

    void SockInfo(int code);
    void SockConnect();
    void SockDisconnect();
    // Tick duties 3 and 4: count down and give up on an attempt that did not connect.
    void tick();

    // Typing QUIT clears the wish to stay connected.
    void disarm() { ReconnectArmed = false; }

    bool ReconnectArmed = false;
    bool ConnectAttempted = false;
    int ConnectCountdown = 0;
    std::string LastHost;
    std::string LastAddress;
    std::uint16_t LastPort = 0;
    std::string LastMudName;


private:
    bool wantsReconnect() const;
    void closeSocketAfterLoss();
    void reportOpenFailure(const std::exception& e);

    Host& host_;
    SocketPort& socket_;
    // While a loss is being handled, the socket's closed report only notes that a
    // reconnect is due; the handler then starts exactly one attempt.
    int lossDepth_ = 0;
    bool reconnectDue_ = false;
    bool reconnecting_ = false;
};

} // namespace tw
