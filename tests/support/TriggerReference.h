#pragma once
// The trigger pass written out the long way, for the tests and the fuzz target to hold the
// engine to: every active trigger prepared afresh and searched over the whole block, highlights
// inserted in place.
#include "net/AnsiColour.h"
#include "script/CommandParser.h"
#include "script/TextOps.h"
#include "script/TriggerEngine.h"

#include <cctype>
#include <string>
#include <vector>

namespace tw::test {

inline std::string referenceRun(ScriptState& state, CommandParser& parser, std::string& block)
{
    std::string echo;
    if (!state.triggersOn)
        return echo;
    for (std::size_t i = 0; i < state.triggers.size(); ++i) {
        const TriggerEntry trigger = state.triggers[i];
        if (!trigger.active())
            continue;
        std::string work = state.aliasesOn ? ExpandAliases(trigger.pattern, state.aliases) : trigger.pattern;
        work = ExpandCaptures(work, state.captures, false);
        std::vector<std::string> pieces;
        std::size_t at = 0;
        for (std::size_t w; pieces.size() < 10 && (w = work.find("%%", at)) != std::string::npos; at = w + 2)
            pieces.push_back(w == at ? "\r\n" : work.substr(at, w - at));
        if (at < work.size())
            pieces.push_back(work.substr(at));
        if (pieces.empty())
            continue;

        std::string before;
        const auto digits = [&](std::size_t p) {
            const std::string& s = trigger.switches;
            return s.size() >= p + 2 && std::isdigit(static_cast<unsigned char>(s[p])) &&
                           std::isdigit(static_cast<unsigned char>(s[p + 1]))
                       ? (s[p] - '0') * 10 + (s[p + 1] - '0')
                       : -1;
        };
        const int fore = digits(2);
        int back = digits(4);
        if (fore >= 1 && fore <= 16) {
            if (back < 0 || back > 7)
                back = 0;
            before = "\x1b[c" + AttrToSgr(static_cast<std::uint8_t>(fore - 1 + 16 * back));
        }
        const std::string after = "\x1b[d";

        std::size_t from = 0;
        while (true) {
            std::size_t start = block.find(pieces[0], from);
            if (start == std::string::npos)
                break;
            std::size_t end = start + pieces[0].size();
            std::vector<std::string> gaps;
            for (std::size_t k = 1; k < pieces.size() && end != std::string::npos; ++k) {
                const std::size_t found = block.find(pieces[k], end);
                if (found != std::string::npos) {
                    gaps.push_back(block.substr(end, found - end));
                    end = found + pieces[k].size();
                } else {
                    end = std::string::npos;
                }
            }
            if (end == std::string::npos)
                break;
            for (std::size_t g = 0; g < gaps.size(); ++g)
                state.captures.set(g, gaps[g]);
            from = end;
            if (!before.empty() && block.size() + before.size() + after.size() <= TriggerEngine::MaxHighlightedBlock) {
                block.insert(end, after);
                block.insert(start, before);
                from = end + before.size() + after.size();
            }
            if (!trigger.response.empty()) {
                echo += echoFor(state.echo, trigger.response);
                parser.ParseCommand(trigger.response);
            }
        }
    }
    return echo;
}

} // namespace tw::test
