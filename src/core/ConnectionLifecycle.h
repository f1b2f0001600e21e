#pragma once
// Connecting, the socket's progress reports, loss of connection, reconnection and the
// ten-second grace period of an attempt.
#include "net/CertificateTrust.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tw {

class Host;
class SocketPort;
enum class TlsFailure;

// Said when a tls:// address is used with Modern Server Mode off.
inline constexpr const char* TlsNeedsModernText =
    "TLS addresses (tls://) need Options > Modern Server Mode.";

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
    // Whether tls:// addresses may be used (Modern Server Mode).
    std::function<bool()> tlsAllowed = [] { return false; };
    // The question about a certificate that cannot be verified; a certificate the player
    // accepts after its attempt was refused is connected to again.
    CertificateGate certificates;

    // A connect chosen from the MUD list. A port that names no port, or a tls:// address while
    // TLS may not be used, is refused with a message and nothing else happens. Throws what the socket's open throws; the session is then as
    // it was before. The Last* fields change only once the open has really started.
    void connectTo(const std::string& name, const std::string& address, const std::string& port);
    void Disconnect1Click();
    void Reconnect();

    void SockInfo(int code);
    void SockConnect();
    void SockDisconnect();
    // Tick duties 3 and 4: count down and give up on an attempt that did not connect; start a
    // reconnection that waits for its turn.
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

    // A game that keeps failing is tried at most once per this many ticks, after one
    // immediate attempt.
    static constexpr int ReconnectPace = 10;
    // True while a reconnection waits for the next turn of that pace.
    bool reconnectWaiting() const { return reconnectWaiting_; }

private:
    bool wantsReconnect() const;
    // A loss asks for a new attempt: now, or at the pace's next turn.
    void requestReconnect();
    void closeSocketAfterLoss();
    void reportOpenFailure(const std::exception& e);
    // "host:port" of the last game, without the tls:// before it.
    std::string lastGame() const;
    // A TLS attempt that failed: the player hears why; one that cannot succeed by trying again
    // (not TLS, a certificate not accepted) ends the reconnection too.
    void tlsAttemptFailed(TlsFailure failure);
    void certificateAccepted(const std::string& host, std::uint16_t port);

    Host& host_;
    SocketPort& socket_;
    // While a loss is being handled, the socket's closed report only notes that a
    // reconnect is due; the handler then starts exactly one attempt.
    int lossDepth_ = 0;
    bool reconnectDue_ = false;
    bool reconnecting_ = false;

    // The clock of the pacing, in ticks, and when the last attempt started.
    long ticks_ = 0;
    long lastAttemptTick_ = -ReconnectPace;
    // The immediate attempt after a loss has been used since the last connection that held.
    bool quickRetryUsed_ = false;
    bool reconnectWaiting_ = false;
    // One error box per failing streak of reconnection, not one per attempt.
    bool openFailureReported_ = false;
};

} // namespace tw
