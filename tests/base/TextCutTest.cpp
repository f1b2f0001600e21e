#include "base/TextCut.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// Limits count characters: one per byte for the old games' text; in UTF-8 one per valid
// sequence and one per byte outside one, so that a cut never splits a character.
TEST(TextCut, CountsAndCutsCharacters)
{
    struct Case {
        std::string text;
        std::size_t max;
        TextCoding coding;
        std::string cut;
        std::size_t count;
    };
    const auto U = TextCoding::Utf8, B = TextCoding::Bytes;
    const Case cases[] = {
        {"abcd", 3, U, "abc", 4},
        {"a\xc3\xa9z", 2, U, "a\xc3\xa9", 3},                 // a two-byte character
        {"a\xc3\xa9z", 2, B, "a\xc3", 4},                     // the same bytes, one character each
        {"a\xf0\x9f\x98\x80z", 2, U, "a\xf0\x9f\x98\x80", 3}, // a four-byte character
        {"\xe9t\xe9", 2, U, "\xe9t", 3},                      // Latin-1: every byte on its own
        {"\xe2\x82", 1, U, "\xe2", 2},                        // a sequence cut off by the end
        {"\xc3\xa9", 0, U, "", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cutToCharacters(c.text, c.max, c.coding), c.cut) << c.text << " " << c.max;
        EXPECT_EQ(characterCount(c.text, c.coding), c.count) << c.text;
    }
    std::string eAcute;
    for (int i = 0; i < 300; ++i)
        eAcute += "\xc3\xa9";
    EXPECT_EQ(cutToCharacters(eAcute, 255, U), eAcute.substr(0, 510));
}

// A byte limit in UTF-8 stops before a character that would cross it.
TEST(TextCut, CutsToBytesBetweenCharacters)
{
    const auto U = TextCoding::Utf8, B = TextCoding::Bytes;
    EXPECT_EQ(cutToBytes("ab\xc3\xa9", 3, U), "ab");
    EXPECT_EQ(cutToBytes("ab\xc3\xa9", 4, U), "ab\xc3\xa9");
    EXPECT_EQ(cutToBytes("ab\xc3\xa9", 3, B), "ab\xc3");
    EXPECT_EQ(cutToBytes("a\xe9\xe9", 2, U), "a\xe9"); // bytes outside UTF-8 count one each
}

} // namespace
} // namespace tw
