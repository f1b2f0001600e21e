#pragma once
// The message sender: writes a composed message to the game's board as one command per line
// (recipient, subject, each line of text, and the posting command), pausing after every
// seventh line until the player answers. The commands go straight to the connection.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class Host;
struct SetupVars;

class MessageSender {
public:
    // How the Send Message window was closed.
    enum class Result { Write, Send, Cancel, Options };

    static constexpr int LinesPerPause = 7;

    // sendToMud is the session's one way to the game.
    using SendToMud = std::function<void(std::string_view)>;
    MessageSender(Host& host, SendToMud sendToMud, const SetupVars& setup);

    // The lines of the message from the box's displayed lines: an empty last line (the text
    // ends with a line break, or the box is empty) does not count.
    static std::vector<std::string> messageLines(std::vector<std::string> displayed);

    // Writes everything but the posting command; true when all lines were sent, false when
    // not connected or stopped at a pause.
    bool DoMsgWrite(const std::string& to, const std::string& subject,
                    const std::vector<std::string>& lines);

    // Writes the message and posts it, when connected.
    void Send(const std::string& to, const std::string& subject,
              const std::vector<std::string>& lines);

private:
    void sendLine(const std::string& command, const std::string& text);
    bool connectedOrSay();

    Host& host_;
    SendToMud sendToMud_;
    const SetupVars& setup_;
};

} // namespace tw
