#include "base/Utf8.h"

#include <algorithm>
#include <array>

namespace tw::utf8 {

namespace {
struct Range {
    char32_t first, last;
};

// The wide and fullwidth blocks of Unicode's East Asian Width property, merged into ranges
// (the emoji with a wide presentation included), in ascending order.
constexpr std::array<Range, 45> Wide = {{
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F5},   {0x26FA, 0x26FD},
    {0x2705, 0x2705},   {0x270A, 0x270B},   {0x2728, 0x2728},   {0x274C, 0x274E},
    {0x2753, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27BF},   {0x2B1B, 0x2B1C},
    {0x2B50, 0x2B55},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},
    {0x4E00, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},
    {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},
    {0x16FE0, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F200, 0x1F64F}, {0x1F680, 0x1FAFF},
    {0x20000, 0x3FFFD},
}};
} // namespace

std::string validOrLatin1(std::string_view bytes)
{
    const char* const end = bytes.data() + bytes.size();
    for (const char* p = bytes.data(); p < end;) {
        const Decoded d = decode(p, end);
        if (d.status != Status::Valid) {
            std::string latin1;
            latin1.reserve(2 * bytes.size());
            for (const char c : bytes)
                append(latin1, static_cast<unsigned char>(c));
            return latin1;
        }
        p += d.length;
    }
    return std::string(bytes);
}

bool isWide(char32_t code)
{
    if (code < Wide.front().first)
        return false;
    // The first range that ends at or after the code.
    const auto it = std::lower_bound(Wide.begin(), Wide.end(), code,
                                     [](const Range& r, char32_t c) { return r.last < c; });
    return it != Wide.end() && it->first <= code;
}

} // namespace tw::utf8
