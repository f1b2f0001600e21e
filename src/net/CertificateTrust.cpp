#include "net/CertificateTrust.h"

#include "base/Host.h"

namespace tw {

bool CertificateGate::check(const CertificateCheck& check)
{
    const std::string where = check.host + ":" + std::to_string(check.port);
    const std::string notAccepted = "The certificate of " + where + " was not accepted.";
    refusal_ = notAccepted;
    if (check.fingerprint.empty())
        return false;
    const std::string known = remembered ? remembered(check.host, check.port) : std::string();
    if (!known.empty()) {
        if (known == check.fingerprint)
            return true;
        // Someone may stand between the player and the game: never connect silently.
        host_.ask("Certificate Changed",
                  "The certificate of " + where +
                      " is not the one you accepted before.\n\nAccepted SHA-256 fingerprint:\n" + known +
                      "\n\nThis SHA-256 fingerprint:\n" + check.fingerprint + "\n\nThe connection was refused.",
                  MsgButtons::Ok, MsgAnswer::Ok, nullptr);
        return false;
    }
    refusal_ = "The certificate of " + where + " cannot be verified.";
    const std::string key = where + " " + check.fingerprint;
    if (!asking_.insert(key).second)
        return false; // asked already, the answer is still to come
    checking_ = true;
    trustedNow_ = false;
    host_.ask("Untrusted Certificate",
              "The certificate of " + where + " cannot be verified (" + check.problems +
                  ").\n\nSHA-256 fingerprint:\n" + check.fingerprint +
                  "\n\nConnect anyway and trust this certificate for " + where + " from now on?",
              MsgButtons::YesNo, MsgAnswer::No, [this, check, key, notAccepted](MsgAnswer answer) {
                  asking_.erase(key);
                  if (answer != MsgAnswer::Yes) {
                      refusal_ = notAccepted;
                      if (!checking_)
                          host_.setStatus(notAccepted);
                      return;
                  }
                  if (remember)
                      remember(check.host, check.port, check.fingerprint);
                  if (checking_)
                      trustedNow_ = true;
                  else if (accepted)
                      accepted(check.host, check.port);
              });
    checking_ = false;
    return trustedNow_;
}

} // namespace tw
