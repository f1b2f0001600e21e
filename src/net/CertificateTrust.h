#pragma once
// Whether to go on with a TLS handshake whose certificate cannot be verified. Nothing here waits
// for the player: an unknown certificate is refused for now while the player is asked, and one
// the player then accepts is remembered for its host and port and connected to again. A
// certificate that differs from the one accepted before is refused with a warning.
#include <cstdint>
#include <functional>
#include <set>
#include <string>

namespace tw {

class Host;

struct CertificateCheck {
    std::string host;
    std::uint16_t port = 0;
    std::string fingerprint; // SHA-256, hex pairs
    std::string problems;    // why it could not be verified
};

class CertificateGate {
public:
    explicit CertificateGate(Host& host) : host_(host) {}

    // The fingerprint accepted before for a host and port (empty when none), and keeping one.
    std::function<std::string(const std::string& host, std::uint16_t port)> remembered;
    std::function<void(const std::string& host, std::uint16_t port, const std::string& fingerprint)> remember;
    // The player accepted the certificate of a host and port whose attempt was refused meanwhile.
    std::function<void(const std::string& host, std::uint16_t port)> accepted;

    // True to go on with the handshake.
    bool check(const CertificateCheck& check);
    // Why the last check refused, for the status row and the terminal.
    const std::string& refusal() const { return refusal_; }

private:
    Host& host_;
    std::set<std::string> asking_; // "host:port fingerprint" of each question open
    std::string refusal_;
    // A host that answers at once (one that waits for the answer) decides the check itself.
    bool checking_ = false;
    bool trustedNow_ = false;
};

} // namespace tw
