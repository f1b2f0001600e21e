#pragma once
#include <array>
#include <string>

namespace tw {

// F1..F12 are entries 0..11, Shift+F1..Shift+F12 entries 12..23.
struct HotkeyEntry {
    std::string text;
    bool enter = true;
    bool add = false;
    bool operator==(const HotkeyEntry&) const = default;
};

constexpr int HotkeyCount = 24;
using HotkeyTable = std::array<HotkeyEntry, HotkeyCount>;

// Keypad 0..9, then the decimal point.
constexpr int KeypadKeyCount = 11;
using KeypadTable = std::array<std::string, KeypadKeyCount>;

inline KeypadTable defaultKeypadTable()
{
    return {"l", "d", "s", "d", "w", "exits", "e", "u", "n", "u", "hide"};
}

} // namespace tw
