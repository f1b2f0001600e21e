#pragma once
// The names a socket is addressed by: protocol names, dotted addresses and services.
#include <cstdint>
#include <optional>
#include <string>

namespace tw {

// A protocol number from its text: a decimal number is taken as it is, a name is matched
// without regard to case against IP, ICMP, GGP, TCP, PUP, UDP, IDP, ND and RAW. Any other
// text has no number.
std::optional<int> protocolNumber(const std::string& text);

// The lower-case name of a protocol number from the same table, or empty.
std::string protocolName(int number);

// The host of a TLS address, written "tls://HOST" (the scheme in any letter case, HOST not
// empty); nothing for any other address.
std::optional<std::string> tlsHost(const std::string& address);

// True for an internet address written as four dotted decimal parts of 0 to 255.
bool isDottedAddress(const std::string& text);

// The port of a service name for a protocol ("telnet" over "tcp" is 23), from the system's
// service database; nullopt when the database does not know it.
std::optional<std::uint16_t> servicePort(const std::string& service, const std::string& protocol);

// The service name of a port for a protocol, or empty when the database has none.
std::string serviceName(std::uint16_t port, const std::string& protocol);

// What a port text names: a decimal number is that port (one beyond 65535 names none rather
// than a wrapped one) with its service name from the database; any other text is a service
// name looked up for the protocol. number is 0 when the text names no port.
struct PortName {
    std::uint16_t number = 0;
    std::string service;
};
PortName parsePort(const std::string& text, const std::string& protocol);

} // namespace tw
