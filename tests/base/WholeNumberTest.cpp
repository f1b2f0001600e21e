#include "base/WholeNumber.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(WholeNumber, ReadsDecimalHexAndSigns)
{
    struct Case { const char* text; std::optional<long> want; };
    const Case cases[] = {
        {"0", 0}, {"250", 250}, {"  42", 42}, {"-7", -7}, {"+5", 5}, {"$1F", 31}, {"$ff", 255},
        {"", std::nullopt}, {"abc", std::nullopt}, {"12x", std::nullopt}, {"4 ", std::nullopt},
        {"-", std::nullopt}, {"$", std::nullopt}, {"2147483647", 2147483647L},
        {"2147483648", std::nullopt}, {"-2147483648", -2147483648L},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseWholeNumber(c.text), c.want) << '"' << c.text << '"';
}

TEST(WholeNumber, LeadingNumberOfPortTexts)
{
    EXPECT_EQ(leadingNumber("4000"), 4000u);
    EXPECT_EQ(leadingNumber("  23abc"), 23u);
    EXPECT_EQ(leadingNumber("telnet"), 0u);
    EXPECT_EQ(leadingNumber(""), 0u);
}

} // namespace
} // namespace tw
