#pragma once
// What the command parser and the triggers act on outside themselves. The session implements
// it on top of the program's Host; tests record the calls.
#include "base/Host.h"

#include <string>
#include <string_view>

namespace tw {

class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    // The one send operation; the caller has added the line end.
    virtual void sendToMud(std::string_view text) = 0;
    // The automapper's command hook: every ordinary command, before it is sent.
    virtual void mapCommand(const std::string& command) = 0;
    virtual void setStatus(const std::string& text) = 0;
    virtual MsgAnswer messageBox(const std::string& caption, const std::string& text,
                                 MsgButtons buttons) = 0;
    // Stops what plays, then plays file if it exists; an empty name only stops.
    virtual void playSound(const std::string& file) = 0;
    // The echo of delayed firings; an empty text only redraws.
    virtual void writeTerminal(std::string_view text) = 0;
};

} // namespace tw
