#include "core/ConnectionLifecycle.h"

#include "base/Host.h"
#include "core/SocketPort.h"
#include "net/SocketNames.h"

#include <exception>

namespace tw {

namespace {
constexpr std::size_t MaxText = 255;
std::string cut(const std::string& s) { return s.size() > MaxText ? s.substr(0, MaxText) : s; }
} // namespace

ConnectionLifecycle::ConnectionLifecycle(Host& host, SocketPort& socket)
    : certificates(host), host_(host), socket_(socket)
{
    certificates.accepted = [this](const std::string& h, std::uint16_t port) { certificateAccepted(h, port); };
}

std::string ConnectionLifecycle::lastGame() const
{
    return tlsHost(LastHost).value_or(LastHost) + ":" + std::to_string(LastPort);
}

bool ConnectionLifecycle::wantsReconnect() const { return ReconnectArmed && autoReconnect(); }

void ConnectionLifecycle::connectTo(const std::string& name, const std::string& address,
                                    const std::string& port)
{
    // Without TLS the address would be looked up as a host name and never be found.
    if (tlsHost(address) && !tlsAllowed()) {
        host_.messageBox(AppTitle, TlsNeedsModernText, MsgButtons::Ok);
        return;
    }
    socket_.setAddress(cut(address));
    socket_.setPort(port);
    // A number beyond 16 bits or an unknown service would connect to port 0 (or a wrapped
    // number) and later reconnect somewhere else again.
    const int number = socket_.portNumber();
    if (number < 1 || number > 65535) {
        host_.messageBox(AppTitle,
                         "The port \"" + cut(port) +
                             "\" is neither a number from 1 to 65535 nor a known service name.",
                         MsgButtons::Ok);
        return;
    }
    const std::string address255 = cut(address);
    const std::string socketAddress = socket_.address();
    lastAttemptTick_ = ticks_;
    socket_.open();
    LastHost = address255;
    LastAddress = socketAddress;
    LastPort = std::uint16_t(number);
    LastMudName = cut(name);
    ReconnectArmed = true;
    ConnectCountdown = 10;
    // The player asked for this game: a new streak of attempts begins.
    quickRetryUsed_ = false;
    reconnectWaiting_ = false;
    openFailureReported_ = false;
}

void ConnectionLifecycle::Disconnect1Click()
{
    ReconnectArmed = false;
    ConnectCountdown = 0;
    reconnectWaiting_ = false;
    socket_.close();
    if (connectionEnded)
        connectionEnded();
}

void ConnectionLifecycle::Reconnect()
{
    if (reconnecting_)
        return;
    reconnectWaiting_ = false;
    if (tlsHost(LastHost) && !tlsAllowed()) {
        // The switch went off since: trying again would only fail.
        ReconnectArmed = false;
        host_.setStatus(TlsNeedsModernText);
        return;
    }
    reconnecting_ = true;
    lastAttemptTick_ = ticks_;
    if (!LastHost.empty())
        socket_.setAddress(LastHost);
    if (!LastAddress.empty())
        socket_.setAddress(LastAddress);
    ConnectCountdown = 10;
    socket_.setPort(std::to_string(LastPort));
    try {
        socket_.open();
    } catch (const std::exception& e) {
        reportOpenFailure(e);
        // A host that cannot be found now may be found later: try again at the pace.
        if (wantsReconnect())
            reconnectWaiting_ = true;
    }
    reconnecting_ = false;
}

void ConnectionLifecycle::reportOpenFailure(const std::exception& e)
{
    if (openFailureReported_)
        return;
    openFailureReported_ = true;
    host_.messageBox(AppTitle, e.what(), MsgButtons::Ok);
}

void ConnectionLifecycle::requestReconnect()
{
    if (reconnecting_)
        return;
    if (!quickRetryUsed_) {
        quickRetryUsed_ = true;
        Reconnect();
    } else if (ticks_ - lastAttemptTick_ >= ReconnectPace) {
        Reconnect();
    } else {
        reconnectWaiting_ = true;
        if (notice)
            notice("Reconnecting in " + std::to_string(ReconnectPace - (ticks_ - lastAttemptTick_)) + " s...");
    }
}

void ConnectionLifecycle::SockInfo(int code)
{
    switch (code) {
    case 1:
        host_.setStatus("Looking up host " + socket_.address());
        break;
    case 2:
        host_.setStatus("Connecting " + socket_.address());
        ConnectAttempted = true;
        break;
    case 4:
        host_.setStatus("Listening...");
        break;
    case 7:
        host_.setStatus("Socket closed.");
        ConnectAttempted = false;
        if (wantsReconnect()) {
            if (lossDepth_ > 0)
                reconnectDue_ = true;
            else
                requestReconnect();
        }
        break;
    case 8:
        host_.setStatus("Socket timed out.");
        break;
    default:
        break;
    }
}

void ConnectionLifecycle::SockConnect()
{
    if (!socket_.connected()) {
        if (const TlsFailure tls = socket_.tlsFailure(); tls != TlsFailure::None) {
            tlsAttemptFailed(tls);
            return;
        }
        // A refused or failed connect also completes; say why instead of "Connected!".
        // The tick gives up on the attempt ten seconds after the request, as before.
        const std::string why = socket_.lastErrorText();
        host_.setStatus(why.empty() ? std::string("Not connected.") : why);
        host_.setMudName("(No connection)");
        if (notice && wantsReconnect())
            notice("Reconnecting in " + std::to_string(ConnectCountdown) + " s...");
        return;
    }
    openFailureReported_ = false;
    if (connected)
        connected();
    host_.setStatus("Connected!");
    host_.setMudName(LastMudName);
}

void ConnectionLifecycle::tlsAttemptFailed(TlsFailure failure)
{
    std::string why;
    switch (failure) {
    case TlsFailure::NotTls:
        why = lastGame() + " did not answer in TLS; is it the game's plain port?";
        break;
    case TlsFailure::HandshakeTimedOut:
        why = lastGame() + " did not complete the TLS handshake within " + std::to_string(TlsHandshakeSeconds) + " s.";
        break;
    case TlsFailure::CertificateRefused:
        why = certificates.refusal();
        break;
    case TlsFailure::None:
    case TlsFailure::HandshakeFailed:
        why = "The TLS handshake with " + lastGame() + " failed (" + socket_.lastErrorText() + ").";
        break;
    }
    if (failure == TlsFailure::NotTls || failure == TlsFailure::CertificateRefused) {
        ReconnectArmed = false;
        reconnectWaiting_ = false;
    }
    // The attempt ends now, not when its grace period runs out.
    ConnectCountdown = 0;
    reconnectDue_ = false;
    closeSocketAfterLoss();
    host_.setStatus(why);
    host_.setMudName("(No connection)");
    if (notice)
        notice(why);
    if (reconnectDue_ || wantsReconnect()) {
        reconnectDue_ = false;
        requestReconnect();
    }
}

void ConnectionLifecycle::certificateAccepted(const std::string& host, std::uint16_t port)
{
    // Unless the player has gone on to something else meanwhile, connect again as asked.
    if (socket_.connected() || ConnectAttempted || port != LastPort || tlsHost(LastHost) != host)
        return;
    try {
        connectTo(LastMudName, LastHost, std::to_string(LastPort));
    } catch (const std::exception& e) {
        host_.messageBox(AppTitle, e.what(), MsgButtons::Ok);
    }
}

void ConnectionLifecycle::closeSocketAfterLoss()
{
    ++lossDepth_;
    socket_.close();
    --lossDepth_;
    if (connectionEnded)
        connectionEnded();
}

void ConnectionLifecycle::SockDisconnect()
{
    host_.setStatus("Disconnected!");
    host_.setMudName("(No connection)");
    reconnectDue_ = false;
    closeSocketAfterLoss();
    ConnectCountdown = 0;
    if (reconnectDue_ || wantsReconnect()) {
        reconnectDue_ = false;
        requestReconnect();
    }
}

void ConnectionLifecycle::tick()
{
    ++ticks_;
    if (ConnectCountdown > 0)
        --ConnectCountdown;
    // A connection that has held for a while ends a failing streak.
    if (socket_.connected() && ticks_ - lastAttemptTick_ >= ReconnectPace)
        quickRetryUsed_ = false;
    // A TLS handshake has a time limit of its own, which may be longer than the grace period.
    if (!socket_.connected() && ConnectAttempted && ConnectCountdown <= 0 && !socket_.handshaking()) {
        ConnectAttempted = false;
        host_.setStatus("Not connected.");
        host_.setMudName("(No connection)");
        reconnectDue_ = false;
        closeSocketAfterLoss();
        if (reconnectDue_ || wantsReconnect()) {
            reconnectDue_ = false;
            requestReconnect();
        }
    }
    if (reconnectWaiting_) {
        if (!wantsReconnect())
            reconnectWaiting_ = false;
        else if (ticks_ - lastAttemptTick_ >= ReconnectPace)
            Reconnect();
    }
}

} // namespace tw
