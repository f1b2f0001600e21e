#pragma once
// Colour numbers of the ANSI colour sequences and their encoding. Colour numbers are in PC
// order (0 black, 1 blue, 2 green, 3 cyan, 4 red ...); ANSI numbers the same eight colours
// differently (0 black, 1 red, 2 green, 3 yellow/brown, 4 blue ...).
#include <array>
#include <cstdint>
#include <string>

namespace tw {

// PC colour number of ANSI colour x (the digit after 3 or 4 in ESC[3xm / ESC[4xm).
inline constexpr std::array<std::uint8_t, 8> AnsiToPc = {0, 4, 2, 6, 1, 5, 3, 7};
// ANSI digit of PC colour number n (0 to 7); the table is its own inverse.
inline constexpr std::array<std::uint8_t, 8> PcToAnsi = {0, 4, 2, 6, 1, 5, 3, 7};

// A colour attribute: background x 16 + foreground.
constexpr std::uint8_t makeAttr(int foreground, int background)
{
    return std::uint8_t(((background & 15) << 4) | (foreground & 15));
}

// The ten-character sequence that selects attribute attr: ESC[0;3f;4bm, with 1 instead of 0
// for the bright foregrounds. Background brightness cannot be expressed and is dropped.
std::string AttrToSgr(std::uint8_t attr);

// The sequence that returns to light grey on black; it starts the scrollback after a cut.
inline const std::string& defaultColourSgr()
{
    static const std::string s = AttrToSgr(makeAttr(7, 0));
    return s;
}

} // namespace tw
