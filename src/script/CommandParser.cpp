#include "script/CommandParser.h"

#include "base/ListFileText.h"
#include "base/WholeNumber.h"
#include "script/AliasDefinition.h"
#include "script/ConditionEvaluator.h"
#include "script/TextOps.h"

#include <algorithm>

namespace tw {

namespace {

// Each pair of semicolons becomes one, from the left.
void collapsePairs(std::string& command)
{
    if (command.find(";;") == std::string::npos)
        return;
    std::string out;
    out.reserve(command.size());
    for (std::size_t i = 0; i < command.size(); ++i) {
        out += command[i];
        if (command[i] == ';' && i + 1 < command.size() && command[i + 1] == ';')
            ++i;
    }
    command.swap(out);
}

// Trying one alias on a line costs about as much as handling this many bytes of it.
constexpr std::size_t AliasWork = 8;

struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};

} // namespace

void CommandParser::ParseCommand(std::string text)
{
    if (depth_ >= MaxDepth)
        return;
    if (depth_ == 0)
        nestedBudget_ = MaxNestedText;
    else if (nestedBudget_ == 0)
        return;
    DepthGuard guard(depth_);

    // The working line always starts with a separator: an odd run of leading semicolons is
    // one already, otherwise one is put in front.
    const std::size_t lead = std::min(text.find_first_not_of(';'), text.size());
    std::string line = lead % 2 == 1 ? std::move(text) : ";" + text;

    std::string scratch, passStart;
    // A line that defines an alias is left alone, so that an existing alias can be redefined.
    if (!containsIgnoringCase(line, "#ALIAS ") && state_.aliasesOn) {
        expandAliasesInPlace(line, scratch, passStart, state_.aliases);
        work_ += state_.aliases.size() * AliasWork;
    }
    // Conditions compare operands, so captured texts go into them as one quoted operand.
    const bool quote = containsIgnoringCase(line, "#IF ");
    expandCapturesInPlace(line, scratch, passStart, state_.captures, quote);
    // Every call costs a little even when its line is short.
    const std::size_t cost = line.size() + 16;
    nestedBudget_ -= std::min(nestedBudget_, cost);
    work_ += cost;

    std::size_t p = 0;
    while (p != std::string::npos && line.size() - p > 1) {
        const std::size_t next = NextSeparator(line, p + 1);
        std::string command = line.substr(p + 1, next == std::string::npos ? std::string::npos : next - p - 1);
        collapsePairs(command);
        if (!command.empty() && command[0] == '#') {
            if (!runScriptCommand(std::move(command)))
                return;
        } else {
            host_.mapCommand(command);
            command += "\r\n";
            host_.sendToMud(command);
        }
        p = next;
    }
}

bool CommandParser::runScriptCommand(std::string command)
{
    const std::string keyword = upperCase(NextToken(command));
    if (keyword == "#PLAY") {
        host_.playSound(NextToken(command));
    } else if (keyword == "#TRIGGEROFF") {
        setTriggers(false);
    } else if (keyword == "#TRIGGERON") {
        setTriggers(true);
    } else if (keyword == "#ALIASOFF") {
        setAliases(false);
    } else if (keyword == "#ALIASON") {
        setAliases(true);
    } else if (keyword == "#DO") {
        ParseCommand(NextToken(command));
    } else if (keyword == "#DELAY") {
        runDelay(std::move(command));
    } else if (keyword == "#IF") {
        return runIf(command);
    } else if (keyword == "#ALIAS") {
        runAlias(std::move(command));
    }
    // Any other "#" word is ignored and nothing is sent.
    return true;
}

void CommandParser::setTriggers(bool on)
{
    state_.triggersOn = on;
    host_.setStatus(on ? "Triggers ON" : "Triggers OFF");
}

void CommandParser::setAliases(bool on)
{
    state_.aliasesOn = on;
    host_.setStatus(on ? "Aliases ON" : "Aliases OFF");
}

void CommandParser::runDelay(std::string rest)
{
    const std::optional<long> seconds = parseWholeNumber(NextToken(rest));
    if (!seconds || *seconds < 1) {
        host_.messageBox("Error: DELAY", "First parameter is a positive number of seconds.",
                         MsgButtons::OkCancel);
        return;
    }
    if (rest.empty()) {
        host_.messageBox("Error: DELAY", "Second parameter is a trigger keyword.", MsgButtons::OkCancel);
        return;
    }
    state_.delays.add(*seconds, std::move(rest));
}

bool CommandParser::runIf(const std::string& rest)
{
    std::size_t then = rest.find(" then ");
    if (then == std::string::npos)
        then = rest.find(" THEN ");
    if (then == std::string::npos) {
        host_.messageBox("Error", "No THEN found with #IF!", MsgButtons::Ok);
        return false;
    }
    const std::string condition = rest.substr(0, then);
    std::string thenPart = rest.substr(then + 6);
    std::size_t otherwise = thenPart.find(" else ");
    if (otherwise == std::string::npos)
        otherwise = thenPart.find(" ELSE ");
    std::string elsePart;
    const bool hasElse = otherwise != std::string::npos;
    if (hasElse) {
        elsePart = thenPart.substr(otherwise + 6);
        thenPart.resize(otherwise);
    }
    if (EvaluateCondition(condition, state_.rng, work_))
        ParseCommand(std::move(thenPart));
    else if (hasElse)
        ParseCommand(std::move(elsePart));
    return true;
}

void CommandParser::runAlias(std::string rest)
{
    std::string word = NextToken(rest);
    std::string expansion = NextToken(rest);
    switch (DefineAlias(state_.aliases, std::move(word), std::move(expansion))) {
    case AliasChange::Altered: host_.setStatus("Old alias altered."); break;
    case AliasChange::Added: host_.setStatus("New alias added."); break;
    case AliasChange::ListFull: host_.setStatus(ListFullText); break;
    case AliasChange::Nothing: break;
    }
}

void CommandParser::AdvanceDelayQueue()
{
    // The walk finds each entry's successor by its id after a firing, so firings that change
    // the queue (a nested tick while a message box is open, new #DELAYs) cannot lose its place;
    // entries added during the walk count down from the next tick on.
    DelayQueue& queue = state_.delays;
    const std::uint64_t upTo = queue.lastId();
    std::uint64_t cursor = 0;
    while (DelayEntry* entry = queue.next(cursor, upTo)) {
        cursor = entry->id;
        if (--entry->countdown == 0)
            FireKeyword(queue.take(cursor));
    }
}

void CommandParser::FireKeyword(const std::string& keyword)
{
    for (std::size_t i = 0; i < state_.triggers.size(); ++i) {
        const TriggerEntry& trigger = state_.triggers[i];
        if (!trigger.active() || trigger.response.empty() || trigger.pattern != keyword)
            continue;
        std::string response = trigger.response; // the list may change while it runs
        const std::string echo = echoFor(state_.echo, response, state_.echoColour);
        ParseCommand(std::move(response));
        host_.writeTerminal(echo);
    }
}

} // namespace tw
