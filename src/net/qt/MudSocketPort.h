#pragma once
// The game socket as the connection life cycle sees it.
#include "core/SocketPort.h"
#include "net/qt/TBasicClientSocket.h"

namespace tw {

class MudSocketPort : public SocketPort {
public:
    explicit MudSocketPort(TBasicClientSocket& socket) : socket_(socket) {}

    void setAddress(const std::string& a) override { socket_.setAddress(a); }
    std::string address() const override { return socket_.address(); }
    void setPort(const std::string& p) override { socket_.setPort(p); }
    int portNumber() const override { return socket_.portNumber(); }
    void open() override { socket_.Open(); }
    void close() override { socket_.Close(); }
    bool connected() const override { return socket_.Connected(); }
    std::string lastErrorText() const override
    {
        if (socket_.tlsFailure() == TlsFailure::HandshakeFailed)
            return socket_.lastErrorDetail();
        return socket_.LastError() ? socket_.LastErrorText() : std::string();
    }
    TlsFailure tlsFailure() const override { return socket_.tlsFailure(); }
    bool handshaking() const override { return socket_.Handshaking(); }

private:
    TBasicClientSocket& socket_;
};

} // namespace tw
