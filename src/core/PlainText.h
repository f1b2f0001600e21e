#pragma once
// The scrollback as the player reads it, for the plain view in modern mode and for screen
// readers: escape sequences taken out, characters as UTF-8, line ends as "\n".
#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

// Returns UTF-8 text. The escape sequences are recognised as the colour view's interpreter
// recognises them in modern mode (what it shows as text stays, with the escape character's
// glyph); with utf8 a byte that is not valid UTF-8 reads as its code page 437 glyph, without
// it every byte from 128 on does, as the classic colour view draws it; CR LF, CR and LF end
// a line; a bell, vertical tab, form feed and NUL show nothing; a backspace takes back the
// character before it on its line. A character or sequence cut off by the end of the buffer
// is left out until the rest arrives.
std::string plainText(std::string_view buffer, bool utf8 = true);

// The same reading a piece at a time, as text arrives: what a piece completes is read with
// it, what it leaves unfinished waits for the next. The pieces of a text read one after the
// other give its plainText, once each piece's takenBack characters are taken off the text
// before it.
class PlainTextStream {
public:
    explicit PlainTextStream(bool utf8 = true) : utf8_(utf8) {}

    struct Piece {
        std::string text;
        // Backspaces at the piece's start: characters they take back from the line before.
        std::size_t takenBack = 0;
    };
    Piece read(std::string_view bytes);
    // Forgets what waits and reads from now on with or without UTF-8.
    void restart(bool utf8);
    bool utf8() const { return utf8_; }

private:
    bool utf8_;
    // An unfinished character or escape sequence: never longer than a sequence may grow.
    std::string pending_;
    bool afterCarriageReturn_ = false;
};

} // namespace tw
