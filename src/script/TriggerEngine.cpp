#include "script/TriggerEngine.h"

#include "net/AnsiColour.h"

#include "script/TriggerPattern.h"

#include <optional>

namespace tw {

namespace {

struct Highlight {
    bool on = false;
    std::uint8_t attr = 0;
};

std::optional<int> twoDigits(const std::string& s, std::size_t at)
{
    if (s.size() < at + 2)
        return std::nullopt;
    const char a = s[at], b = s[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return std::nullopt;
    return (a - '0') * 10 + (b - '0');
}

// Positions 3-4 of the switch string are the foreground list index (0 = no highlight, 1..16),
// positions 5-6 the background index (0..7). Switch strings come from files too; an index
// that is not two digits or lies outside its list reads as 0, as the trigger dialog reads it.
Highlight highlightOf(const std::string& switches)
{
    const std::optional<int> fore = twoDigits(switches, 2);
    if (!fore || *fore == 0 || *fore > 16)
        return {};
    std::optional<int> back = twoDigits(switches, 4);
    if (!back || *back > 7)
        back = 0;
    return {true, static_cast<std::uint8_t>((*fore - 1) + 16 * *back)};
}

constexpr std::string_view SaveColours = "\x1b[c";
constexpr std::string_view RestoreColours = "\x1b[d";

} // namespace

std::string TriggerEngine::RunTriggers(std::string& block)
{
    std::string echo;
    if (!state_.triggersOn)
        return echo;

    PreparedPattern prepared;
    std::string changed;
    for (std::size_t i = 0; i < state_.triggers.size(); ++i) {
        if (!state_.triggers[i].active())
            continue;
        PreparePattern(state_.triggers[i].pattern, state_.aliases, state_.aliasesOn, state_.captures, prepared);
        if (prepared.count == 0)
            continue; // an empty pattern never matches
        const Highlight highlight = highlightOf(state_.triggers[i].switches);
        std::string before;
        if (highlight.on) {
            before.assign(SaveColours);
            before += AttrToSgr(highlight.attr);
        }
        // Taken before the first response runs: a message box it opens lets other events,
        // the options loader among them, change the trigger list.
        std::optional<std::string> response;

        // The highlighted block is built beside the original one; a search that goes on
        // behind an inserted ESC[d is a search behind the match in the original.
        changed.clear();
        std::size_t copied = 0, from = 0, grown = 0;
        while (const std::optional<PatternMatch> match = MatchPattern(block, from, prepared, state_.captures)) {
            const std::size_t end = match->start + MatchLength(*match);
            const std::size_t insert = before.size() + RestoreColours.size();
            if (highlight.on && block.size() + grown + insert <= MaxHighlightedBlock) {
                changed.append(block, copied, match->start - copied);
                changed += before;
                changed.append(block, match->start, end - match->start);
                changed += RestoreColours;
                copied = end;
                grown += insert;
            }
            from = end;

            if (!response)
                response = state_.triggers[i].response;
            if (!response->empty()) {
                echo += echoFor(state_.echo, *response);
                parser_.ParseCommand(*response);
            }
        }
        if (grown > 0) {
            changed.append(block, copied);
            block.swap(changed);
        }
    }
    return echo;
}

} // namespace tw
