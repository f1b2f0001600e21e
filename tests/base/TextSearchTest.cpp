// Find in the plain view.
#include "base/TextSearch.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(TerminalFind, SearchesForwardFromAPosition)
{
    struct Case {
        const char* text;
        const char* what;
        std::size_t from;
        bool matchCase;
        std::optional<std::size_t> expected;
    } cases[] = {
        {"You see a Dragon here.", "dragon", 0, false, 10},
        {"You see a Dragon here.", "dragon", 0, true, std::nullopt},
        {"You see a Dragon here.", "Dragon", 0, true, 10},
        {"orc orc orc", "orc", 1, false, 4},
        {"orc orc orc", "orc", 8, false, 8},     // ends exactly at the end of the text
        {"orc orc orc", "ORC", 8, false, 8},
        {"orc orc orc", "orc", 9, false, std::nullopt},
        {"orc", "orc", 0, true, 0},
        {"or", "orc", 0, false, std::nullopt},
        {"abc", "", 0, false, std::nullopt},
        {"abc", "c", 7, false, std::nullopt}, // a start beyond the text finds nothing
        {"Caf\xc9 caf\xe9", "caf\xe9", 0, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findForward(c.text, c.what, c.from, c.matchCase), c.expected)
            << c.text << " / " << c.what << " from " << c.from;
}

TEST(TerminalFind, StatusTexts)
{
    EXPECT_STREQ(FindWhatText, "Find what?");
    EXPECT_EQ(cannotFindText("orc"), "Cannot find \"orc\".");
}

} // namespace
} // namespace tw
