#include "net/CertificateTrust.h"

#include "base/Host.h"

namespace tw {

bool trustCertificate(Host& host, const CertificateCheck& check,
                      const std::function<void(const std::string& fingerprint)>& remember)
{
    if (check.fingerprint.empty())
        return false;
    const std::string where = check.host + ":" + std::to_string(check.port);
    if (!check.remembered.empty()) {
        if (check.remembered == check.fingerprint)
            return true;
        // Someone may stand between the player and the game: never connect silently.
        host.messageBox("Certificate Changed",
                        "The certificate of " + where +
                            " is not the one you accepted before.\n\nAccepted SHA-256 fingerprint:\n" +
                            check.remembered + "\n\nThis SHA-256 fingerprint:\n" + check.fingerprint +
                            "\n\nThe connection was refused.",
                        MsgButtons::Ok);
        return false;
    }
    const MsgAnswer answer = host.messageBox(
        "Untrusted Certificate",
        "The certificate of " + where + " cannot be verified (" + check.problems +
            ").\n\nSHA-256 fingerprint:\n" + check.fingerprint +
            "\n\nConnect anyway and trust this certificate for " + where + " from now on?",
        MsgButtons::YesNo);
    if (answer != MsgAnswer::Yes)
        return false;
    remember(check.fingerprint);
    return true;
}

} // namespace tw
