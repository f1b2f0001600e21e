#include "core/ConnectionLifecycle.h"

#include "base/Host.h"
#include "core/SocketPort.h"
#include "base/WholeNumber.h"

#include <exception>

namespace tw {

namespace {
constexpr std::size_t MaxText = 255;
std::string cut(const std::string& s) { return s.size() > MaxText ? s.substr(0, MaxText) : s; }
} // namespace

ConnectionLifecycle::ConnectionLifecycle(Host& host, SocketPort& socket)
    : host_(host), socket_(socket)
{
}

bool ConnectionLifecycle::wantsReconnect() const { return ReconnectArmed && autoReconnect(); }

void ConnectionLifecycle::connectTo(const std::string& name, const std::string& address,
                                    const std::string& port)
{
    socket_.setAddress(cut(address));
    socket_.setPort(port);
    LastHost = cut(address);
    LastAddress = socket_.address();
    LastPort = std::uint16_t(leadingNumber(port));
    socket_.open();
    LastMudName = cut(name);
    ReconnectArmed = true;
    ConnectCountdown = 10;
}

void ConnectionLifecycle::Disconnect1Click()
{
    ReconnectArmed = false;
    ConnectCountdown = 0;
    socket_.close();
    if (connectionEnded)
        connectionEnded();
}

void ConnectionLifecycle::Reconnect()
{
    if (reconnecting_)
        return;
    reconnecting_ = true;
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
    }
    reconnecting_ = false;
}

void ConnectionLifecycle::reportOpenFailure(const std::exception& e)
{
    host_.messageBox(AppTitle, e.what(), MsgButtons::Ok);
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
                Reconnect();
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
        // A refused or failed connect also completes; say why instead of "Connected!".
        // The tick gives up on the attempt ten seconds after the request, as before.
        const std::string why = socket_.lastErrorText();
        host_.setStatus(why.empty() ? std::string("Not connected.") : why);
        host_.setMudName("(No connection)");
        if (notice && wantsReconnect())
            notice("Reconnecting in " + std::to_string(ConnectCountdown) + " s...");
        return;
    }
    if (connected)
        connected();
    host_.setStatus("Connected!");
    host_.setMudName(LastMudName);
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
        Reconnect();
    }
}

void ConnectionLifecycle::tick()
{
    if (ConnectCountdown > 0)
        --ConnectCountdown;
    if (!socket_.connected() && ConnectAttempted && ConnectCountdown <= 0) {
        ConnectAttempted = false;
        host_.setStatus("Not connected.");
        host_.setMudName("(No connection)");
        reconnectDue_ = false;
        closeSocketAfterLoss();
        if (reconnectDue_ || wantsReconnect()) {
            reconnectDue_ = false;
            Reconnect();
        }
    }
}

} // namespace tw
