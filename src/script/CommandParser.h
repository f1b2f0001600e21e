#pragma once
// The one entry for command lines from any source: expands aliases and captures, cuts the
// line at separators, runs the script commands and sends the ordinary ones. It also owns the
// tick of the delay queue and firing triggers by keyword.
#include "script/ScriptHost.h"
#include "script/ScriptState.h"

#include <cstddef>
#include <string>

namespace tw {

class CommandParser {
public:
    // #DO, #IF and responses nest ParseCommand calls; deeper calls are dropped so that no line
    // can exhaust the stack.
    static constexpr int MaxDepth = 64;
    // Command text one outermost call may handle through its nested calls (after expansion)
    // before further nested calls are dropped; an alias that reproduces itself inside #IF
    // would otherwise fan out without end.
    static constexpr std::size_t MaxNestedText = 1024 * 1024;

    CommandParser(ScriptHost& host, ScriptState& state) : host_(host), state_(state) {}

    void ParseCommand(std::string text);

    // Once a tick, only while triggers are on: counts the delays down and fires the expired.
    void AdvanceDelayQueue();

    // The Special menu's toggles and their script commands: flip or set the flag and say so on
    // the status panel.
    void setTriggers(bool on);
    void setAliases(bool on);
    void toggleTriggers() { setTriggers(!state_.triggersOn); }
    void toggleAliases() { setAliases(!state_.aliasesOn); }

    // Runs the response of every active trigger whose stored pattern is keyword, echoing each.
    void FireKeyword(const std::string& keyword);

    // Command text handled so far, after expansion, over every call: callers that bound
    // their own work count what a command cost them by the difference.
    std::size_t workDone() const { return work_; }
    ScriptHost& host() const { return host_; }

private:
    // Runs one "#" command; false when the rest of the line is to be dropped.
    bool runScriptCommand(std::string command);
    void runDelay(std::string rest);
    bool runIf(const std::string& rest);
    void runAlias(std::string rest);

    ScriptHost& host_;
    ScriptState& state_;
    int depth_ = 0;
    std::size_t nestedBudget_ = 0;
    std::size_t work_ = 0;
};

} // namespace tw
