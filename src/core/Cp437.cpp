#include "core/Cp437.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tw {

namespace {
constexpr std::array<char16_t, 32> Low = {
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};

constexpr std::array<char16_t, 128> High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

// Arms of 0xB3..0xDA as up, down, left, right; the shades 0xB0..0xB2 come before.
constexpr std::array<BoxArms, 0xDA - 0xB3 + 1> Box = {{
    {1, 1, 0, 0}, // B3 │
    {1, 1, 1, 0}, // B4 ┤
    {1, 1, 2, 0}, // B5 ╡
    {2, 2, 1, 0}, // B6 ╢
    {0, 2, 1, 0}, // B7 ╖
    {0, 1, 2, 0}, // B8 ╕
    {2, 2, 2, 0}, // B9 ╣
    {2, 2, 0, 0}, // BA ║
    {0, 2, 2, 0}, // BB ╗
    {2, 0, 2, 0}, // BC ╝
    {2, 0, 1, 0}, // BD ╜
    {1, 0, 2, 0}, // BE ╛
    {0, 1, 1, 0}, // BF ┐
    {1, 0, 0, 1}, // C0 └
    {1, 0, 1, 1}, // C1 ┴
    {0, 1, 1, 1}, // C2 ┬
    {1, 1, 0, 1}, // C3 ├
    {0, 0, 1, 1}, // C4 ─
    {1, 1, 1, 1}, // C5 ┼
    {1, 1, 0, 2}, // C6 ╞
    {2, 2, 0, 1}, // C7 ╟
    {2, 0, 0, 2}, // C8 ╚
    {0, 2, 0, 2}, // C9 ╔
    {2, 0, 2, 2}, // CA ╩
    {0, 2, 2, 2}, // CB ╦
    {2, 2, 0, 2}, // CC ╠
    {0, 0, 2, 2}, // CD ═
    {2, 2, 2, 2}, // CE ╬
    {1, 0, 2, 2}, // CF ╧
    {2, 0, 1, 1}, // D0 ╨
    {0, 1, 2, 2}, // D1 ╤
    {0, 2, 1, 1}, // D2 ╥
    {2, 0, 0, 1}, // D3 ╙
    {1, 0, 0, 2}, // D4 ╘
    {0, 1, 0, 2}, // D5 ╒
    {0, 2, 0, 1}, // D6 ╓
    {2, 2, 1, 1}, // D7 ╫
    {1, 1, 2, 2}, // D8 ╪
    {1, 0, 1, 0}, // D9 ┘
    {0, 1, 0, 1}, // DA ┌
}};
} // namespace

char16_t cp437ToUnicode(std::uint8_t b)
{
    if (b < 32)
        return Low[b];
    if (b == 127)
        return 0x2302;
    if (b < 128)
        return char16_t(b);
    return High[std::size_t(b - 128)];
}

std::uint8_t unicodeToCp437(char32_t code)
{
    if (code >= 0x20 && code < 0x7F)
        return std::uint8_t(code);
    // Every other byte's character, sorted for the search; built once.
    static const auto table = [] {
        std::array<std::pair<char16_t, std::uint8_t>, 255 - 0x5F> t{};
        std::size_t n = 0;
        for (int b = 1; b < 256; ++b)
            if (b < 0x20 || b >= 0x7F)
                t[n++] = {cp437ToUnicode(std::uint8_t(b)), std::uint8_t(b)};
        std::sort(t.begin(), t.end());
        return t;
    }();
    const auto it = std::lower_bound(table.begin(), table.end(), std::pair<char16_t, std::uint8_t>(char16_t(code), 0));
    return code <= 0xFFFF && it != table.end() && it->first == code ? it->second : 0;
}

BoxArms cp437BoxArms(std::uint8_t b)
{
    if (b < 0xB3 || b > 0xDA)
        return {};
    return Box[std::size_t(b - 0xB3)];
}

} // namespace tw
