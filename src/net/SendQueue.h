#pragma once
// The one way text goes to the game: what the socket does not take at once waits in
// PendingOutput until the socket can take more.
#include <optional>
#include <string>
#include <string_view>

namespace tw {

class Host;

class SendQueue {
public:
    explicit SendQueue(Host& host) : host_(host) {}

    // Text waiting for a game that does not read is held up to this many bytes; beyond it, new
    // text is not queued and the status row says why.
    static constexpr std::size_t PendingLimit = 4u << 20;
    static constexpr const char* NotReadingStatus = "The game is not reading: text not sent.";

    void SendToMud(std::string_view text);
    void MudSockWrite();
    // The connection ended: what was left belongs to it and is not sent into the next one.
    void discard() { PendingOutput.reset(); }

    std::optional<std::string> PendingOutput;

private:
    void writePending();
    Host& host_;
};

} // namespace tw
