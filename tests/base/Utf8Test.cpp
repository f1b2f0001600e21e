#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

using utf8::Status;

TEST(Utf8, DecodesValidSequencesAndRefusesEveryOtherSpelling)
{
    struct Case {
        std::string bytes;
        Status status;
        char32_t code;
        int length;
    };
    const Case cases[] = {
        {"A", Status::Valid, 'A', 1},
        {"\x7f", Status::Valid, 0x7F, 1},
        {"\xc2\x80", Status::Valid, 0x80, 2},
        {"\xc3\xa9x", Status::Valid, 0xE9, 2},
        {"\xdf\xbf", Status::Valid, 0x7FF, 2},
        {"\xe0\xa0\x80", Status::Valid, 0x800, 3},
        {"\xe2\x82\xac", Status::Valid, 0x20AC, 3},
        {"\xed\x9f\xbf", Status::Valid, 0xD7FF, 3},  // just below the surrogates
        {"\xee\x80\x80", Status::Valid, 0xE000, 3},  // just above them
        {"\xef\xbf\xbf", Status::Valid, 0xFFFF, 3},
        {"\xf0\x90\x80\x80", Status::Valid, 0x10000, 4},
        {"\xf0\x9f\x98\x80", Status::Valid, 0x1F600, 4},
        {"\xf4\x8f\xbf\xbf", Status::Valid, 0x10FFFF, 4},
        // Overlong forms.
        {"\xc0\xaf", Status::Invalid, 0xC0, 1},
        {"\xc1\xbf", Status::Invalid, 0xC1, 1},
        {"\xe0\x9f\xbf", Status::Invalid, 0xE0, 1},
        {"\xf0\x8f\xbf\xbf", Status::Invalid, 0xF0, 1},
        // Surrogates and values beyond U+10FFFF.
        {"\xed\xa0\x80", Status::Invalid, 0xED, 1},
        {"\xed\xbf\xbf", Status::Invalid, 0xED, 1},
        {"\xf4\x90\x80\x80", Status::Invalid, 0xF4, 1},
        {"\xf5\x80\x80\x80", Status::Invalid, 0xF5, 1},
        {"\xff", Status::Invalid, 0xFF, 1},
        // A continuation byte alone, a lead without its continuation, Latin-1 text.
        {"\x80", Status::Invalid, 0x80, 1},
        {"\xe2\x82x", Status::Invalid, 0xE2, 1},
        {"\xe9t\xe9", Status::Invalid, 0xE9, 1},
        {"\xf0\x9f\x98\x41", Status::Invalid, 0xF0, 1},
        // Cut off by the end of the bytes: may still become valid.
        {"\xc3", Status::Incomplete, 0xC3, 1},
        {"\xe2\x82", Status::Incomplete, 0xE2, 1},
        {"\xf0\x9f\x98", Status::Incomplete, 0xF0, 1},
        {"\xe0", Status::Incomplete, 0xE0, 1},
    };
    for (const Case& c : cases) {
        const utf8::Decoded d = utf8::decode(c.bytes.data(), c.bytes.data() + c.bytes.size());
        EXPECT_EQ(d.status, c.status) << c.bytes;
        EXPECT_EQ(d.code, c.code) << c.bytes;
        EXPECT_EQ(d.length, c.length) << c.bytes;
    }
}

TEST(Utf8, EncodesWhatItDecodes)
{
    for (const char32_t code : {0x41u, 0x7Fu, 0x80u, 0xE9u, 0x7FFu, 0x800u, 0x20ACu, 0xFFFFu,
                                0x10000u, 0x1F600u, 0x10FFFFu}) {
        std::string bytes = "<";
        utf8::append(bytes, code);
        const utf8::Decoded d = utf8::decode(bytes.data() + 1, bytes.data() + bytes.size());
        EXPECT_EQ(d.status, Status::Valid) << unsigned(code);
        EXPECT_EQ(d.code, code);
        EXPECT_EQ(std::size_t(d.length) + 1, bytes.size()) << unsigned(code);
    }
}

TEST(Utf8, WideCharactersAreTheEastAsianWideAndFullwidthOnes)
{
    const std::pair<char32_t, bool> cases[] = {
        {'A', false},    {0xE9, false},   {0x10FF, false}, {0x1100, true},   {0x115F, true},
        {0x1160, false}, {0x2500, false}, {0x3000, true},  {0x303F, false},  {0x3042, true},
        {0x4E2D, true},  {0x9FFF, true},  {0xAC00, true},  {0xD7A3, true},   {0xD7A4, false},
        {0xFF01, true},  {0xFF61, false}, {0x1F600, true}, {0x20000, true},  {0x3FFFD, true},
        {0x3FFFE, false}, {0x10FFFF, false},
    };
    for (const auto& [code, wide] : cases)
        EXPECT_EQ(utf8::isWide(code), wide) << std::hex << unsigned(code);
}

} // namespace
} // namespace tw
