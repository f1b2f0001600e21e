#pragma once
// A ScriptHost for tests: records every effect, answers message boxes with OK.
#include "script/ScriptHost.h"

#include <string>
#include <vector>

namespace tw::test {

struct RecordingScriptHost : ScriptHost {
    struct Box {
        std::string caption, text;
        MsgButtons buttons;
    };

    std::vector<std::string> sent;        // each sendToMud text, line end included
    std::vector<std::string> mapCommands; // what the automapper hook saw
    std::vector<std::string> statuses;
    std::vector<Box> boxes;
    std::vector<std::string> sounds;
    std::vector<std::string> terminal;
    std::vector<std::string> events;      // sends and terminal writes in their order

    void sendToMud(std::string_view text) override
    {
        sent.emplace_back(text);
        events.push_back("send:" + std::string(text));
    }
    void mapCommand(const std::string& command) override { mapCommands.push_back(command); }
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    std::string lastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }
    MsgAnswer messageBox(const std::string& caption, const std::string& text, MsgButtons b) override
    {
        boxes.push_back({caption, text, b});
        return MsgAnswer::Ok;
    }
    void playSound(const std::string& file) override { sounds.push_back(file); }
    void writeTerminal(std::string_view text) override
    {
        terminal.emplace_back(text);
        events.push_back("term:" + std::string(text));
    }
};

} // namespace tw::test
