#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tw {

// A display colour as the options file stores it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

constexpr ColorRef rgb(int r, int g, int b)
{
    return ColorRef(r & 0xFF) | (ColorRef(g & 0xFF) << 8) | (ColorRef(b & 0xFF) << 16);
}
constexpr int redOf(ColorRef c) { return int(c & 0xFF); }
constexpr int greenOf(ColorRef c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(ColorRef c) { return int((c >> 16) & 0xFF); }

// The colour of a terminal cell: a colour number (0 to 31, drawn from the palette modulo 16),
// or with RgbColour set a 24-bit colour 0xRRGGBB of its own.
using CellColour = std::uint32_t;
inline constexpr CellColour RgbColour = 0x01000000;
constexpr CellColour rgbCellColour(int r, int g, int b)
{
    return RgbColour | CellColour((r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF));
}
constexpr bool isRgb(CellColour c) { return (c & RgbColour) != 0; }

// The 16 terminal colours in PC order (0 black, 1 blue, ... 15 white).
struct Palette {
    std::array<ColorRef, 16> colors = defaults();

    static constexpr std::array<ColorRef, 16> defaults()
    {
        return {rgb(0, 0, 0),       rgb(0, 0, 128),   rgb(0, 128, 0),     rgb(168, 227, 255),
                rgb(200, 0, 0),     rgb(128, 0, 128), rgb(128, 0, 0),     rgb(128, 128, 128),
                rgb(128, 128, 128), rgb(0, 0, 255),   rgb(0, 255, 0),     rgb(0, 255, 255),
                rgb(255, 0, 0),     rgb(255, 0, 255), rgb(255, 255, 0),   rgb(255, 255, 255)};
    }
    // A palette for today's games: the VGA colours, with distinct light and dark greys, a
    // brown that is brown and a cyan that is cyan.
    static constexpr std::array<ColorRef, 16> modern()
    {
        return {rgb(0, 0, 0),       rgb(0, 0, 170),     rgb(0, 170, 0),     rgb(0, 170, 170),
                rgb(170, 0, 0),     rgb(170, 0, 170),   rgb(170, 85, 0),    rgb(170, 170, 170),
                rgb(85, 85, 85),    rgb(85, 85, 255),   rgb(85, 255, 85),   rgb(85, 255, 255),
                rgb(255, 85, 85),   rgb(255, 85, 255),  rgb(255, 255, 85),  rgb(255, 255, 255)};
    }
    static const std::array<const char*, 16>& names()
    {
        static const std::array<const char*, 16> n = {
            "Black", "Blue", "Green", "Cyan", "Red", "Magenta", "Brown", "Light Gray",
            "Dark Gray", "Light Blue", "Light Green", "Light Cyan", "Light Red",
            "Light Magenta", "Yellow", "White"};
        return n;
    }
    ColorRef operator[](int colourNumber) const { return colors[std::size_t(colourNumber & 15)]; }
    ColorRef colourOf(CellColour c) const
    {
        return isRgb(c) ? rgb(int(c >> 16), int(c >> 8), int(c)) : (*this)[int(c)];
    }
    bool operator==(const Palette&) const = default;
};

} // namespace tw
