#pragma once
// Whether to connect to a TLS server whose certificate cannot be verified: the player is asked
// once, an accepted fingerprint is remembered for the host and port, and a certificate that
// differs from the remembered one is refused with a warning.
#include <cstdint>
#include <functional>
#include <string>

namespace tw {

class Host;

struct CertificateCheck {
    std::string host;
    std::uint16_t port = 0;
    std::string fingerprint; // SHA-256, hex pairs
    std::string problems;    // why it could not be verified
    std::string remembered;  // the fingerprint accepted before, empty when none
};

// True to connect. `remember` is called with the fingerprint the player accepts.
bool trustCertificate(Host& host, const CertificateCheck& check,
                      const std::function<void(const std::string& fingerprint)>& remember);

} // namespace tw
