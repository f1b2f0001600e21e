#pragma once
// Tab in the command line: completes the word before the caret from the words the terminal
// shows in its last lines, the newest first. Tab again, with nothing else changed, puts the
// next candidate in its place; after the oldest the typed beginning comes back.
#include "core/ScreenModel.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tw {

class TabCompletion {
public:
    // How far back the words are taken from.
    static constexpr int LinesSearched = 500;
    // A completed line never grows past what the command line holds.
    static constexpr std::size_t MaxLineLength = 255;

    struct Edit {
        std::string text;
        std::size_t caret = 0; // in bytes
        bool operator==(const Edit&) const = default;
    };

    // The words of the last lines that begin with prefix (letter case aside) and are longer,
    // newest first, each once.
    static std::vector<std::string> candidates(const ScreenModel& model, const std::string& prefix);

    // Tab (forward) or Shift+Tab (back) on the line with the caret at the given byte. Returns
    // the line as it should read; unchanged when there is nothing to complete.
    Edit complete(const ScreenModel& model, const Edit& line, bool forward = true);

private:
    bool cycling_ = false;
    Edit after_;                   // the line as the last completion left it
    std::size_t wordStart_ = 0;    // where the completed word begins
    std::string typed_;            // the beginning the player typed
    std::string rest_;             // what followed the caret
    std::vector<std::string> found_;
    std::size_t index_ = 0;        // 0 is the typed beginning, 1.. the candidates
};

} // namespace tw
