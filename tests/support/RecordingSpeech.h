#pragma once
// A speech engine that records what it is asked to say and how often it is stopped.
#include "tools/SpeechQueue.h"

#include <string>
#include <vector>

namespace tw::test {

struct RecordingSpeech : SpeechEngine {
    std::vector<std::string> said;
    int stops = 0;
    void say(const std::string& text) override { said.push_back(text); }
    void stop() override { ++stops; }
};

} // namespace tw::test
