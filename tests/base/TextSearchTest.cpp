// The status texts of Find.
#include "base/TextSearch.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(TerminalFind, StatusTexts)
{
    EXPECT_STREQ(FindWhatText, "Find what?");
    EXPECT_EQ(cannotFindText("orc"), "Cannot find \"orc\".");
}

} // namespace
} // namespace tw
