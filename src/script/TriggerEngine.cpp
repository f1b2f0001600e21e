#include "script/TriggerEngine.h"

#include "net/AnsiColour.h"

#include "script/TriggerPattern.h"

#include <memory>
#include <optional>
#include <string_view>

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

// Whether every piece may occur in the block the set was built from. Pieces of one byte cost
// more to look up, so they come last.
bool mayMatch(const PreparedPattern& pattern, const BytePairSet& blockPairs)
{
    for (std::size_t k = 0; k < pattern.count; ++k)
        if (pattern.piece(k).size() > 1 && !blockPairs.mayContain(pattern.piece(k)))
            return false;
    for (std::size_t k = 0; k < pattern.count; ++k)
        if (pattern.piece(k).size() == 1 && !blockPairs.mayContain(pattern.piece(k)))
            return false;
    return true;
}

std::size_t piecesLength(const PreparedPattern& pattern)
{
    std::size_t n = 0;
    for (std::size_t k = 0; k < pattern.count; ++k)
        n += pattern.piece(k).size();
    return n;
}

// Appends text to the block being built, adding the pair where it meets the text before it;
// the pairs inside text are in the set already.
void appendJoined(std::string& out, std::string_view text, BytePairSet& blockPairs)
{
    if (text.empty())
        return;
    if (!out.empty())
        blockPairs.addPair(out.back(), text.front());
    out.append(text);
}

} // namespace

std::string TriggerEngine::RunTriggers(std::string& block)
{
    std::string echo;
    if (!state_.triggersOn)
        return echo;
    if (running_) {
        // A message box opened by a response let another block in: it gets an engine of its
        // own, so that this run's prepared patterns and block pairs stay as they are.
        auto nested = std::make_unique<TriggerEngine>(state_, parser_);
        return nested->RunTriggers(block);
    }
    running_ = true;
    struct EndRun {
        bool& running;
        ~EndRun() { running = false; }
    } endRun{running_};

    budget_.start();
    // The parser, the pattern cache and the index count their own work; what they did since
    // the last charge is charged with it.
    std::size_t parserMark = parser_.workDone(), cacheMark = patterns_.workDone(), indexMark = index_.bytesScanned();
    const auto charge = [&](std::size_t units) {
        units += (parser_.workDone() - parserMark) + (patterns_.workDone() - cacheMark) +
                 TriggerWorkBudget::searching(index_.bytesScanned() - indexMark);
        parserMark = parser_.workDone();
        cacheMark = patterns_.workDone();
        indexMark = index_.bytesScanned();
        return budget_.charge(units);
    };
    index_.startBlock(state_, patterns_);
    bool pairsBuilt = false;
    std::string changed;
    for (std::size_t i = 0; i < state_.triggers.size() && !budget_.exhausted(); ++i) {
        if (!state_.triggers[i].active())
            continue;
        const TriggerIndex::Verdict verdict = index_.check(i, state_.triggers[i].pattern, patterns_, block);
        if (verdict == TriggerIndex::Verdict::Absent) {
            charge(TriggerWorkBudget::PerTrigger + TriggerWorkBudget::searching(index_.piecesLength(i)));
            continue;
        }
        const PreparedPattern& prepared = patterns_.prepare(i, state_.triggers[i].pattern, state_);
        if (!charge(TriggerWorkBudget::PerTrigger + TriggerWorkBudget::searching(piecesLength(prepared))) ||
            prepared.count == 0)
            continue; // an empty pattern never matches
        if (verdict == TriggerIndex::Verdict::NotCovered) {
            // The pairs of a block already changed by highlights are built from it as it is.
            if (!pairsBuilt) {
                blockPairs_.assign(block);
                pairsBuilt = true;
                charge(TriggerWorkBudget::copying(block.size()));
            }
            if (!mayMatch(prepared, blockPairs_))
                continue;
        }
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
        bool searched = true;
        while (const std::optional<PatternMatch> match = MatchPattern(block, from, prepared, state_.captures)) {
            const std::size_t end = match->start + MatchLength(*match);
            const std::size_t insert = before.size() + RestoreColours.size();
            std::size_t work = TriggerWorkBudget::PerMatch + TriggerWorkBudget::searching(end - from);
            if (highlight.on && block.size() + grown + insert <= MaxHighlightedBlock) {
                if (grown == 0) {
                    blockPairs_.add(before);
                    blockPairs_.add(RestoreColours);
                }
                const std::string_view original = block;
                appendJoined(changed, original.substr(copied, match->start - copied), blockPairs_);
                const std::size_t insertedAt = changed.size();
                appendJoined(changed, before, blockPairs_);
                appendJoined(changed, original.substr(match->start, end - match->start), blockPairs_);
                appendJoined(changed, RestoreColours, blockPairs_);
                index_.noteInserted(insertedAt, changed.size());
                work += TriggerWorkBudget::copying(end - copied + insert);
                copied = end;
                grown += insert;
            }
            from = end;

            if (!response)
                response = state_.triggers[i].response;
            if (!response->empty()) {
                echo += echoFor(state_.echo, *response, state_.echoColour);
                parser_.ParseCommand(*response);
                patterns_.refresh(state_);
                work += response->size() + TriggerWorkBudget::PerResponse;
            }
            if (!charge(work)) {
                searched = false;
                break;
            }
        }
        if (searched)
            charge(TriggerWorkBudget::searching(block.size() - std::min(from, block.size())));
        if (grown > 0) {
            appendJoined(changed, std::string_view(block).substr(copied), blockPairs_);
            charge(TriggerWorkBudget::copying(block.size() - copied));
            block.swap(changed);
            index_.blockChanged(block);
        }
    }
    if (budget_.exhausted())
        parser_.host().setStatus(TriggerWorkBudget::StoppedText);
    return echo;
}

} // namespace tw
