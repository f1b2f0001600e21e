#include "settings/SetupRules.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(SetupRules, RangeChecksOnLeavingTheBufferBoxes)
{
    struct Case { std::string (*check)(const std::string&); std::string typed, shown; };
    const Case cases[] = {
        {CheckCommandsRetained, "0", "1"},     {CheckCommandsRetained, "250", "100"},
        {CheckCommandsRetained, "abc", "10"},  {CheckCommandsRetained, "", "10"},
        {CheckCommandsRetained, "55", "55"},   {CheckCommandsRetained, "-3", "1"},
        {CheckScrollbackSize, "5", "8000"},    {CheckScrollbackSize, "70000", "64000"},
        {CheckScrollbackSize, "", "16000"},    {CheckScrollbackSize, "20000", "20000"},
        {CheckScrollbackSize, "12x", "16000"}, {CheckScrollbackSize, "99999999999", "16000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.check(c.typed), c.shown) << c.typed;
}

TEST(SetupRules, LastMarkedEchoModeWins)
{
    EXPECT_EQ(echoButtonFromFlags(true, false, false), 0);
    EXPECT_EQ(echoButtonFromFlags(true, true, false), 1);
    EXPECT_EQ(echoButtonFromFlags(true, true, true), 2);
    EXPECT_EQ(echoButtonFromFlags(true, false, true), 2);
    EXPECT_EQ(echoButtonFromFlags(false, false, false), -1);
}

} // namespace
} // namespace tw
