#pragma once
// The scrollback as the player reads it, for the plain view in modern mode: escape sequences
// taken out, UTF-8 decoded, line ends as "\n".
#include <string>
#include <string_view>

namespace tw {

// Returns UTF-8 text. The escape sequences are recognised as the colour view's interpreter
// recognises them in modern mode (what it shows as text stays, with the escape character's
// glyph); a byte that is not valid UTF-8 reads as its code page 437 glyph; CR LF, CR and LF
// end a line; a bell, vertical tab, form feed and NUL show nothing; a backspace takes back
// the character before it on its line. A character or sequence cut off by the end of the
// buffer is left out until the rest arrives.
std::string plainText(std::string_view buffer);

} // namespace tw
