#pragma once
// The escape-sequence interpreter: reads the scrollback character by character, keeps the
// current colours and hands text and control characters to the screen model.
#include "core/ScreenModel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tw {

class AnsiParser {
public:
    static constexpr char Escape = 27;
    // A sequence that grows beyond this many characters is shown as text.
    static constexpr std::size_t EscapeLimit = 50;

    explicit AnsiParser(ScreenModel& screen) : screen_(screen) {}

    // Back to the start state: no sequence, light grey on black, no attributes, nothing saved.
    void reset();
    void feed(char ch);
    void feed(std::string_view text);

    // The parser's state, for the tests and the debugger.
    std::string_view EscapeBuffer() const { return {escape_.data(), escapeLength_}; }
    std::uint8_t foreground() const { return foreground_; }
    std::uint8_t background() const { return background_; }
    bool bold() const { return bold_; }
    bool blink() const { return blink_; }
    bool reverse() const { return reverse_; }
    bool pending() const { return pending_; }

private:
    // A character outside a sequence: pending attribute changes first, then the screen.
    void showCharacter(char ch)
    {
        if (pending_)
            applyPending();
        screen_.handleCharacter(std::uint8_t(ch), foreground_, background_);
    }
    void applyPending();
    void showAsText(std::string_view text);
    void showEscapeAsText(char last);
    void feedEscape(char ch);
    void execute(char final);
    void colourCommand();
    void resetColours();
    // Reads the next parameter of the current sequence; false when there is none.
    bool nextParameter(int& value);

    ScreenModel& screen_;
    // One more than the limit: the character that breaks it is held until shown.
    std::array<char, EscapeLimit + 2> escape_{};
    std::size_t escapeLength_ = 0;
    std::uint8_t foreground_ = 7;
    std::uint8_t background_ = 0;
    bool bold_ = false, blink_ = false, reverse_ = false, pending_ = false;
    std::uint8_t savedForeground_ = 7, savedBackground_ = 0;
    bool cursorSaved_ = false;
    int savedColumn_ = 1, savedRow_ = 1;

    // Parameter reading state of the command being carried out.
    std::size_t parameterPos_ = 0;
    char final_ = 0;
    bool parametersEnded_ = false;
};

} // namespace tw
