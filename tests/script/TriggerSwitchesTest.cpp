#include "script/TriggerSwitches.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(TriggerSwitches, AcceptsPattern)
{
    const std::pair<const char*, bool> cases[] = {
        {"You are hungry", true}, {"HP: %%/%%", true}, {"You see %%%%", true},
        {"%% tells you '%%'", true}, {"%%x", true},
        {"", false}, {"HP: %%", false}, {"%%", false},
    };
    for (const auto& [pattern, ok] : cases)
        EXPECT_EQ(TriggerSwitches::acceptsPattern(pattern), ok) << pattern;
}

TEST(TriggerSwitches, BuildsAndReadsBack)
{
    EXPECT_EQ((TriggerSwitches{true, 15, 1}).toString(), "101501");
    EXPECT_EQ((TriggerSwitches{false, 0, 0}).toString(), "000000");
    EXPECT_EQ((TriggerSwitches{true, 16, 7}).toString(), "101607");

    const TriggerSwitches t = TriggerSwitches::fromString("101501");
    EXPECT_TRUE(t.active);
    EXPECT_EQ(t.fore, 15);
    EXPECT_EQ(t.back, 1);
}

TEST(TriggerSwitches, DamagedStringsReadAsNoHighlight)
{
    for (const char* s : {"", "1", "10", "10x501", "101708", "109999", "1 5 1 "}) {
        const TriggerSwitches t = TriggerSwitches::fromString(s);
        EXPECT_LE(t.fore, 16) << s;
        EXPECT_LE(t.back, 7) << s;
        EXPECT_GE(t.fore, 0) << s;
    }
    EXPECT_EQ(TriggerSwitches::fromString("101708").fore, 0);
    EXPECT_EQ(TriggerSwitches::fromString("101708").back, 0);
    EXPECT_EQ(TriggerSwitches::fromString("100303").back, 3);
    EXPECT_FALSE(TriggerSwitches::fromString("").active);
}

} // namespace
} // namespace tw
