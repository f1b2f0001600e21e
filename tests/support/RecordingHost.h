#pragma once
// A Host for tests: records every effect and answers message boxes from a queue.
#include "base/Host.h"

#include <deque>
#include <string>
#include <vector>

namespace tw::test {

struct RecordingHost : Host {
    struct Box {
        std::string caption, text;
        MsgButtons buttons;
    };
    // A question asked without waiting, held until the test answers it.
    struct Question {
        std::string caption, text;
        MsgButtons buttons;
        MsgAnswer safe;
        std::function<void(MsgAnswer)> answered;
    };

    bool connected = true;
    std::size_t acceptLimit = std::string::npos; // bytes the socket takes per write
    std::string sent;                            // everything the socket took, in order
    std::vector<std::string> writes;             // each write call's data
    std::vector<std::string> statuses;
    std::string mudName;
    std::vector<Box> boxes;
    std::deque<MsgAnswer> answers;               // answers to give; Ok/Yes when empty
    bool holdQuestions = false;                  // ask() keeps its questions open
    std::vector<Question> questions;
    int terminalChanges = 0;
    std::string terminalAdded;                   // every text appended to the terminal
    std::vector<std::string> helpLines;
    std::vector<std::pair<std::string, std::string>> editorRuns;
    std::vector<std::string> sounds;             // "play:FILE" and "stop"
    int statRollerShown = 0;
    int vitalsChanges = 0;
    int channelLines = 0;

    bool socketConnected() const override { return connected; }
    std::size_t socketWrite(std::string_view data) override
    {
        writes.emplace_back(data);
        const std::size_t n = data.size() < acceptLimit ? data.size() : acceptLimit;
        sent.append(data.substr(0, n));
        return n;
    }
    void setStatus(const std::string& t) override { statuses.push_back(t); }
    void setMudName(const std::string& t) override { mudName = t; }
    MsgAnswer messageBox(const std::string& c, const std::string& t, MsgButtons b) override
    {
        boxes.push_back({c, t, b});
        if (!answers.empty()) {
            const MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return b == MsgButtons::YesNo || b == MsgButtons::YesNoCancel ? MsgAnswer::Yes : MsgAnswer::Ok;
    }
    void ask(const std::string& c, const std::string& t, MsgButtons b, MsgAnswer safe,
             std::function<void(MsgAnswer)> answered) override
    {
        if (holdQuestions)
            questions.push_back({c, t, b, safe, std::move(answered)});
        else
            Host::ask(c, t, b, safe, std::move(answered));
    }
    void terminalChanged() override { ++terminalChanges; }
    void terminalTextAdded(std::string_view text) override { terminalAdded.append(text); }
    void runHelp(const std::string& line) override { helpLines.push_back(line); }
    void runEditor(const std::string& e, const std::string& f) override { editorRuns.emplace_back(e, f); }
    void playSound(const std::string& f) override { sounds.push_back("play:" + f); }
    void stopSound() override { sounds.push_back("stop"); }
    void showStatRoller() override { ++statRollerShown; }
    void vitalsChanged() override { ++vitalsChanges; }
    void channelLineAdded() override { ++channelLines; }

    std::string lastStatus() const { return statuses.empty() ? std::string() : statuses.back(); }
};

} // namespace tw::test
