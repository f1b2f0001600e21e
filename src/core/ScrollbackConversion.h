#pragma once
// What is on screen keeps its look when Modern Server Mode is switched. The scrollback holds
// the text as it was read in one mode; laid out by the other mode's rules, 256-colour text
// would turn into escape codes and UTF-8 into pairs of symbols. So the scrollback is written
// anew, once, for the new mode:
//
// - every character as the new mode draws the same glyph: to modern, code page 437 bytes as
//   UTF-8; to classic, UTF-8 as the code page 437 byte with that glyph, else "?" (one for each
//   cell the character took);
// - the colours of every character as an escape sequence the new mode reads to the same
//   colours: to classic, 256 and 24-bit colours become the nearest of the sixteen in the
//   palette, and a bright background stays bright only under a dark foreground;
// - cursor movements and erasing kept, with numbers the new mode reads the same;
// - what the old mode showed as text (a broken or, in classic mode, an over-long sequence)
//   shown as text, the escape character as its arrow (as "?" in classic mode, where an escape
//   character never shows as text of its own).
//
// A character or sequence cut off at the end waits for the rest as before. When the rewritten
// text is longer than the capacity, whole lines go from the start, and the colours where the
// kept text starts are set first.
#include "net/Palette.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

std::string convertScrollback(std::string_view buffer, bool toModern, const Palette& palette,
                              std::size_t capacity);

} // namespace tw
