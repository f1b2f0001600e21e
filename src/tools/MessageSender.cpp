#include "tools/MessageSender.h"

#include "base/Host.h"
#include "settings/SetupVars.h"

namespace tw {

MessageSender::MessageSender(Host& host, SendToMud sendToMud, const SetupVars& setup)
    : host_(host), sendToMud_(std::move(sendToMud)), setup_(setup)
{
}

std::vector<std::string> MessageSender::messageLines(std::vector<std::string> displayed)
{
    if (!displayed.empty() && displayed.back().empty())
        displayed.pop_back();
    return displayed;
}

bool MessageSender::connectedOrSay()
{
    if (host_.socketConnected())
        return true;
    host_.messageBox("Error", "You are not connected!", MsgButtons::Ok);
    return false;
}

void MessageSender::sendLine(const std::string& command, const std::string& text)
{
    sendToMud_(command + " " + text + "\r\n");
}

bool MessageSender::DoMsgWrite(const std::string& to, const std::string& subject,
                               const std::vector<std::string>& lines)
{
    if (!connectedOrSay())
        return false;
    host_.setStatus("Writing message...");
    sendLine(setup_.NoteTo, to);
    sendLine(setup_.NoteSubject, subject);
    int sent = 0;
    for (const std::string& line : lines) {
        sendLine(setup_.NotePlus, line);
        // The next line leaves only after the player has answered.
        if (++sent % LinesPerPause == 0 &&
            host_.messageBox("Sending...", "Seven lines sent.", MsgButtons::OkCancel) == MsgAnswer::Cancel) {
            host_.setStatus("Message stopped.");
            return false;
        }
    }
    host_.messageBox("Sent", "All lines have been sent.", MsgButtons::Ok);
    host_.setStatus("Message complete.");
    return true;
}

void MessageSender::Send(const std::string& to, const std::string& subject,
                         const std::vector<std::string>& lines)
{
    if (!connectedOrSay() || !DoMsgWrite(to, subject, lines))
        return;
    host_.setStatus("Sending message...");
    sendToMud_(setup_.NoteSend + "\r\n");
}

} // namespace tw
