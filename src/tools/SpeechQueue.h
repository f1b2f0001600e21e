#pragma once
// Speaking the game's text: lines wait in order for the speech engine and none is skipped.
// While the engine speaks, what arrives waits; when it is done, everything waiting goes to it
// as one utterance (up to UtteranceLimit bytes), so a flood is read to the end in a few long
// utterances instead of falling behind line by line. Typing a command or a lone Ctrl
// interrupts: the engine stops and what waits is dropped.
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The desktop's speech service as the queue uses it; the window provides one, tests record.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;
    // Starts speaking UTF-8 text; the engine calls SpeechQueue::finished() when it is done.
    virtual void say(const std::string& text) = 0;
    virtual void stop() = 0;
};

class SpeechQueue {
public:
    static constexpr std::size_t UtteranceLimit = 2000;
    // A line that grows longer without ending is spoken in parts of this size.
    static constexpr std::size_t LineLimit = UtteranceLimit;
    // Beyond this much waiting text (a flood far faster than speech, for minutes) the oldest
    // lines give way, and the next utterance says how many.
    static constexpr std::size_t WaitingLimit = 1 << 20;
    static constexpr const char* SkippedText = " lines skipped.";

    void setEngine(SpeechEngine* engine) { engine_ = engine; }
    // Off drops what waits and stops the engine.
    void setOn(bool on);
    bool on() const { return on_; }
    // Lines containing one of these texts (letter case ignored) are not spoken.
    void setMuted(std::vector<std::string> texts);

    // Plain UTF-8 text as it arrives, lines ended by "\n". The unfinished end of the text is
    // spoken too (a prompt); its rest joins it when that arrives before it is spoken.
    void hear(std::string_view text);
    // A line of the program's own, spoken in its turn.
    void announce(const std::string& line);
    // The engine finished (or was stopped): the next utterance starts.
    void finished();
    void interrupt();

    bool speaking() const { return speaking_; }
    std::size_t waitingBytes() const { return waitingBytes_; }

private:
    void add(std::string_view piece, bool continues);
    bool muted(const std::string& line) const;
    void speakNext();

    SpeechEngine* engine_ = nullptr;
    bool on_ = false;
    bool speaking_ = false;
    std::vector<std::string> muted_; // in lower case
    std::deque<std::string> lines_;
    bool lastOpen_ = false; // the last waiting line has not ended yet
    std::size_t waitingBytes_ = 0;
    std::size_t skipped_ = 0;
};

// Ctrl pressed and released with no other key or button between: the key that silences
// speech, as screen readers have it. Keys are Qt's or any other numbering, one for Ctrl.
class LoneKey {
public:
    explicit LoneKey(int key) : key_(key) {}
    void pressed(int key) { armed_ = key == key_; }
    // True when this release ends a lone press.
    bool released(int key);
    // A mouse button or anything else that makes the press part of a gesture.
    void otherInput() { armed_ = false; }

private:
    int key_;
    bool armed_ = false;
};

} // namespace tw
