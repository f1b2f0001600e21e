#pragma once
// Speedwalk: the shortest way over the stored exits from one room to another, as movement
// commands, and the steps of a walk still to be sent.
#include "map/AutomapTracker.h"
#include "map/MapModel.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class Speedwalk {
public:
    static constexpr const char* NoWayText = "No known way there.";

    // The commands ("n", "se", "u" ...) of a shortest way from one cell to another, following
    // exits that lead to rooms; nothing when no way is known. Empty when from is to.
    static std::optional<std::vector<std::string>> route(const MapModel& map, const Cell& from,
                                                         const Cell& to);

    void start(const std::vector<std::string>& steps)
    {
        steps_.assign(steps.begin(), steps.end());
        wait_ = Wait::FirstLine;
    }
    bool walking() const { return !steps_.empty(); }
    std::string next()
    {
        std::string s = std::move(steps_.front());
        steps_.pop_front();
        wait_ = Wait::FirstLine;
        return s;
    }
    void cancel() { steps_.clear(); }

    // While the automapper follows, the next step goes only when the reply to the last one is
    // complete, since the automapper names the next room after the first line it receives
    // once that step is sent. A game that marks its prompts (GA or EOR) ends the reply there;
    // otherwise the reply is over once it has been quiet for a moment. A game that marks its
    // prompts but leaves a reply unmarked is waited for a little longer, not for ever.
    static constexpr int QuietMilliseconds = 250;
    static constexpr int UnmarkedReplyMilliseconds = 1000;
    // One received block: what the automapper made of it, whether it ended at a prompt and
    // whether the game marks its prompts. Returns whether the next step goes now; a refused
    // step or a full map ends the walk.
    bool received(AutomapTracker::Outcome outcome, bool atPrompt, bool gameMarksPrompts);
    // The walk waits for the reply to go quiet: every block starts the quiet moment (of
    // quietMilliseconds()) again, and when it passes the next step goes.
    bool waitsForQuiet() const { return walking() && wait_ != Wait::FirstLine; }
    int quietMilliseconds() const { return wait_ == Wait::Prompt ? UnmarkedReplyMilliseconds : QuietMilliseconds; }

private:
    // FirstLine until the automapper took the step's first reply line, then what ends the reply.
    enum class Wait { FirstLine, Prompt, Quiet };
    std::deque<std::string> steps_;
    Wait wait_ = Wait::FirstLine;
};

} // namespace tw
