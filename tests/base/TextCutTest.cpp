#include "base/TextCut.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(TextCut, CutsBeforeACharacterThatWouldBeSplit)
{
    struct Case {
        std::string text;
        std::size_t max;
        std::string cut;
    };
    const Case cases[] = {
        {"abc", 3, "abc"},
        {"abcd", 3, "abc"},
        {"a\xc3\xa9", 2, "a"},                  // two-byte character
        {"a\xc3\xa9z", 3, "a\xc3\xa9"},
        {"a\xf0\x9f\x98\x80z", 4, "a"},          // four-byte character
        {"a\xf0\x9f\x98\x80z", 5, "a\xf0\x9f\x98\x80"},
        {"a\x80\x80\x80\x80\x80", 5, "a\x80\x80\x80\x80"}, // not UTF-8: cut as bytes
        {"a\xf0\x80\x80\x80\x80", 5, "a\xf0\x80\x80\x80"},
        {"\xc3\xa9", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cutToBytes(c.text, c.max), c.cut) << c.text << " " << c.max;
}

} // namespace
} // namespace tw
