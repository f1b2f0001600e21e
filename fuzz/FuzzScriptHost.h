#pragma once
// A ScriptHost for the fuzz targets: counts what it is given and answers every box with OK.
#include "script/ScriptHost.h"

#include <cstddef>

namespace tw::fuzz {

struct CountingScriptHost : ScriptHost {
    std::size_t sentBytes = 0, commands = 0, boxes = 0;

    void sendToMud(std::string_view text) override { sentBytes += text.size(); }
    void mapCommand(const std::string&) override { ++commands; }
    void setStatus(const std::string&) override {}
    MsgAnswer messageBox(const std::string&, const std::string&, MsgButtons) override
    {
        ++boxes;
        return MsgAnswer::Ok;
    }
    void playSound(const std::string&) override {}
    void writeTerminal(std::string_view) override {}
};

} // namespace tw::fuzz
