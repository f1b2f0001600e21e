#pragma once
// Colour numbers of the ANSI colour sequences and their encoding. Colour numbers are in PC
// order (0 black, 1 blue, 2 green, 3 cyan, 4 red ...); ANSI numbers the same eight colours
// differently (0 black, 1 red, 2 green, 3 yellow/brown, 4 blue ...).
#include "net/Palette.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

// PC colour number of ANSI colour x (the digit after 3 or 4 in ESC[3xm / ESC[4xm).
inline constexpr std::array<std::uint8_t, 8> AnsiToPc = {0, 4, 2, 6, 1, 5, 3, 7};
// ANSI digit of PC colour number n (0 to 7); the table is its own inverse.
inline constexpr std::array<std::uint8_t, 8> PcToAnsi = {0, 4, 2, 6, 1, 5, 3, 7};

// Colour n (0 to 255) of the xterm 256-colour table: the sixteen colour numbers, a 6 x 6 x 6
// cube and 24 greys.
constexpr CellColour xtermColour(int n)
{
    if (n < 16)
        return CellColour(AnsiToPc[std::size_t(n % 8)] | (n & 8));
    if (n < 232) {
        constexpr int Level[6] = {0, 95, 135, 175, 215, 255};
        n -= 16;
        return rgbCellColour(Level[n / 36], Level[n / 6 % 6], Level[n % 6]);
    }
    const int grey = 8 + (n - 232) * 10;
    return rgbCellColour(grey, grey, grey);
}

// A colour attribute: background x 16 + foreground.
constexpr std::uint8_t makeAttr(int foreground, int background)
{
    return std::uint8_t(((background & 15) << 4) | (foreground & 15));
}

// The ten-character sequence that selects attribute attr: ESC[0;3f;4bm, with 1 instead of 0
// for the bright foregrounds. Background brightness cannot be expressed and is dropped.
std::string AttrToSgr(std::uint8_t attr);

// The program's own sequences that save and restore the current colours.
inline constexpr std::string_view SaveColours = "\x1b[c";
inline constexpr std::string_view RestoreColours = "\x1b[d";

// Text in colours of its own (sgr selects them) that leaves the colours around it as they were.
inline std::string inColours(std::string_view sgr, std::string_view text)
{
    std::string s;
    s.reserve(SaveColours.size() + sgr.size() + text.size() + RestoreColours.size());
    s.append(SaveColours).append(sgr).append(text).append(RestoreColours);
    return s;
}

// The sequence that returns to light grey on black; it starts the scrollback after a cut.
inline const std::string& defaultColourSgr()
{
    static const std::string s = AttrToSgr(makeAttr(7, 0));
    return s;
}

} // namespace tw
