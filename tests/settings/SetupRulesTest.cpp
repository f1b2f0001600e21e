#include "settings/SetupRules.h"
#include "settings/SetupVars.h"

#include <climits>

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

TEST(SetupRules, FileNamesTheOptionsFileCannotKeepAreRefused)
{
    EXPECT_EQ(refuseStoredFileName(std::string(255, 'a'), "Editor"), std::nullopt);
    EXPECT_EQ(refuseStoredFileName(std::string(256, 'a'), "Editor"),
              "The Editor name is too long: an options file keeps at most 255 bytes of it.");
}

// Apply stores what the check accepted, hexadecimal included.
TEST(SetupRules, ApplyReadsWhatTheCheckAccepted)
{
    EXPECT_EQ(commandsRetainedFrom("$10"), 16);
    EXPECT_EQ(commandsRetainedFrom("$FF"), 100);
    EXPECT_EQ(commandsRetainedFrom("x"), 10);
    EXPECT_EQ(scrollbackSizeFrom("$4000"), 16384);
    EXPECT_EQ(scrollbackSizeFrom("7"), 8000);
    EXPECT_EQ(scrollbackSizeFrom("64000"), 64000);
}

// Loaded values land where the dialog would have put them; nothing is left that a font or the
// terminal could not take.
TEST(SetupRules, LoadedValuesAreBroughtIntoRange)
{
    SetupVars v;
    v.CommandsRetained = 0;
    v.ScrollbackSize = 65535;
    v.FontSize = 65535;
    v.FontHeight = INT32_MIN;
    bringIntoRange(v);
    EXPECT_EQ(v.CommandsRetained, 1);
    EXPECT_EQ(v.ScrollbackSize, 64000);
    EXPECT_EQ(v.FontSize, LargestFontSize);
    EXPECT_EQ(v.FontHeight, -LargestFontSize * 96 / 72);
    v.CommandsRetained = 101;
    v.ScrollbackSize = 0;
    v.FontHeight = INT32_MAX;
    v.FontSize = 9;
    bringIntoRange(v);
    EXPECT_EQ(v.CommandsRetained, 100);
    EXPECT_EQ(v.ScrollbackSize, 8000);
    EXPECT_EQ(v.FontHeight, LargestFontSize * 96 / 72);
    EXPECT_EQ(v.FontSize, 9);
    const SetupVars defaults;
    SetupVars same = defaults;
    bringIntoRange(same);
    EXPECT_EQ(same, defaults);
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
