#pragma once
// The glyphs of code page 437, the character set of the terminal font: which Unicode
// character each byte shows, and how the line and block characters are built.
#include <cstdint>

namespace tw {

// The Unicode character that byte b shows in the terminal, control bytes included
// (1 is a smiling face, 27 a left arrow). Byte 0 shows nothing (U+0000).
char16_t cp437ToUnicode(std::uint8_t b);

// The byte that shows this character in code page 437 (1 to 255); 0 when no byte shows it.
std::uint8_t unicodeToCp437(char32_t code);

// The arms of a line-drawing character: 0 none, 1 single, 2 double line, towards each edge.
struct BoxArms {
    std::uint8_t up = 0, down = 0, left = 0, right = 0;
    bool any() const { return up || down || left || right; }
};

// The arms of byte b, all none when b is no line-drawing character (0xB3 to 0xDA, except
// the shades).
BoxArms cp437BoxArms(std::uint8_t b);

} // namespace tw
