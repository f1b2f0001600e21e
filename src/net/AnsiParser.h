#pragma once
// The escape-sequence interpreter: reads the scrollback character by character, keeps the
// current colours and hands text and control characters to the screen model.
#include "core/ScreenModel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <utility>

namespace tw {

class AnsiParser {
public:
    static constexpr char Escape = 27;
    // A sequence that grows beyond this many characters is shown as text.
    static constexpr std::size_t EscapeLimit = 50;
    // The letters that end a sequence as a command.
    static bool isFinal(char ch)
    {
        switch (ch) {
        case 'A': case 'B': case 'C': case 'D': case 'H': case 'J': case 'K':
        case 'c': case 'd': case 'f': case 'm': case 's': case 'u':
            return true;
        default:
            return false;
        }
    }

    // How the interpreter reads the bytes from an escape character on, in either mode, without
    // acting on them: a command (`end` after its final letter), a sequence grown too long (`end`
    // after the bytes then shown as text), one broken by the byte at `end` (what came before it
    // is shown as text), or one the text ends inside.
    struct Scan {
        enum Kind { Command, TooLong, Broken, Incomplete } kind;
        const char* end;
    };
    static Scan scanSequence(const char* escape, const char* end);

    explicit AnsiParser(ScreenModel& screen) : screen_(screen) {}

    // Modern mode: the text is UTF-8 (a byte that is not part of valid UTF-8 shows its code
    // page 437 glyph; a character cut off by the end of the text waits for the rest), numbers
    // of any length are parameters, and the colour command also knows 22 (normal intensity),
    // 38 and 48 with 5;n (the xterm 256-colour table) or 2;r;g;b (24-bit colour), 39 and 49
    // (default colours), 90 to 97 and 100 to 107 (bright colours).
    void setModern(bool on) { modern_ = on; }
    bool modern() const { return modern_; }

    // Back to the start state: no sequence, light grey on black, no attributes, nothing saved.
    void reset();
    void feed(char ch);
    void feed(std::string_view text);

    // The parser's state, for the tests and the debugger.
    std::string_view EscapeBuffer() const { return {escape_.data(), escapeLength_}; }
    CellColour foreground() const { return foreground_; }
    CellColour background() const { return background_; }
    bool bold() const { return bold_; }
    bool blink() const { return blink_; }
    bool reverse() const { return reverse_; }
    bool pending() const { return pending_; }
    // The colours the next character is drawn in: the current ones with the pending bold,
    // blink and reverse applied.
    std::pair<CellColour, CellColour> nextColours() const
    {
        CellColour fg = foreground_, bg = background_;
        if (pending_) {
            if (bold_ && !isRgb(fg))
                fg |= 8;
            if (blink_ && !isRgb(fg))
                fg |= 16; // kept in the cell, ignored by the drawing
            if (reverse_)
                std::swap(fg, bg);
        }
        return {fg, bg};
    }

private:
    // A character outside a sequence: pending attribute changes first, then the screen.
    void showCharacter(char ch)
    {
        if (pending_)
            applyPending();
        if (modern_)
            showModern(std::uint8_t(ch));
        else
            screen_.handleCharacter(std::uint8_t(ch), foreground_, background_);
    }
    void showModern(std::uint8_t b);
    void feedModern(std::string_view text);
    // Bold and blink act on colour numbers only; a colour of its own stays as it is.
    void applyPending()
    {
        if (bold_ && !isRgb(foreground_))
            brightenedByBold_ = brightenedByBold_ || !(foreground_ & 8);
        if (reverse_)
            brightenedByBold_ = false;
        std::tie(foreground_, background_) = nextColours();
        pending_ = false;
    }
    void showAsText(std::string_view text);
    void showEscapeAsText(char last);
    void feedEscape(char ch);
    void execute(char final);
    void colourCommand();
    bool modernColour(int value);
    bool extendedColour(CellColour& colour);
    void resetColours();
    // Reads the next parameter of the current sequence; false when there is none.
    bool nextParameter(int& value);

    ScreenModel& screen_;
    bool modern_ = false;
    // One more than the limit: the character that breaks it is held until shown.
    std::array<char, EscapeLimit + 2> escape_{};
    std::size_t escapeLength_ = 0;
    CellColour foreground_ = 7;
    CellColour background_ = 0;
    bool bold_ = false, blink_ = false, reverse_ = false, pending_ = false;
    // Bold made the current foreground bright; normal intensity (22) takes that back.
    bool brightenedByBold_ = false;
    CellColour savedForeground_ = 7, savedBackground_ = 0;
    bool cursorSaved_ = false;
    int savedColumn_ = 1, savedRow_ = 1;

    // Parameter reading state of the command being carried out.
    std::size_t parameterPos_ = 0;
    char final_ = 0;
    bool parametersEnded_ = false;
};

} // namespace tw
