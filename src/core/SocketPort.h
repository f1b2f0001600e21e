#pragma once
// What the connection life cycle needs of the game socket. The main window's socket
// component implements it; tests use a fake. open() may throw (the socket's error class
// derives from std::exception).
#include <string>

namespace tw {

// A TLS handshake that has not finished after this many seconds is given up.
inline constexpr int TlsHandshakeSeconds = 20;

// Why a TLS connection attempt failed, where the error number does not say it.
enum class TlsFailure {
    None,
    NotTls,             // the server answered, but not in TLS
    HandshakeTimedOut,  // no answer to the handshake within TlsHandshakeSeconds
    CertificateRefused, // the certificate was not accepted
    HandshakeFailed,    // any other failure of the handshake (lastErrorText says which)
};

class SocketPort {
public:
    virtual ~SocketPort() = default;
    virtual void setAddress(const std::string& address) = 0;
    virtual std::string address() const = 0;
    virtual void setPort(const std::string& port) = 0;
    // The port number the last setPort came to (a service name looked up); 0 for none.
    virtual int portNumber() const = 0;
    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool connected() const = 0;
    // The text of the error that ended the last connect attempt, empty when there was none.
    virtual std::string lastErrorText() const = 0;
    // For a TLS address: why the last attempt failed, and whether its handshake is under way.
    virtual TlsFailure tlsFailure() const { return TlsFailure::None; }
    virtual bool handshaking() const { return false; }
};

} // namespace tw
