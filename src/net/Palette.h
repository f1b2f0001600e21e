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
    static const std::array<const char*, 16>& names()
    {
        static const std::array<const char*, 16> n = {
            "Black", "Blue", "Green", "Cyan", "Red", "Magenta", "Brown", "Light Gray",
            "Dark Gray", "Light Blue", "Light Green", "Light Cyan", "Light Red",
            "Light Magenta", "Yellow", "White"};
        return n;
    }
    ColorRef operator[](int colourNumber) const { return colors[std::size_t(colourNumber & 15)]; }
    bool operator==(const Palette&) const = default;
};

} // namespace tw
