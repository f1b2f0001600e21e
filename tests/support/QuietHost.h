#pragma once
// A Host without effects: its socket takes every byte, every message box is answered OK and
// the rest does nothing. For code that needs a host whose effects nobody looks at (fuzz
// targets, benchmarks); a subclass overrides what it wants to count.
#include "base/Host.h"

#include <string>
#include <string_view>

namespace tw::test {

struct QuietHost : Host {
    bool connected = true;

    bool socketConnected() const override { return connected; }
    std::size_t socketWrite(std::string_view data) override { return data.size(); }
    void setStatus(const std::string&) override {}
    void setMudName(const std::string&) override {}
    MsgAnswer messageBox(const std::string&, const std::string&, MsgButtons) override { return MsgAnswer::Ok; }
    void terminalChanged() override {}
    void runHelp(const std::string&) override {}
    void runEditor(const std::string&, const std::string&) override {}
    void playSound(const std::string&) override {}
    void stopSound() override {}
    void showStatRoller() override {}
};

} // namespace tw::test
