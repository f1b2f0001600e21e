#include "script/CommandHistory.h"
#include "script/HiddenCode.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using Lines = std::vector<std::string>;

CommandHistory historyOf(const Lines& lines)
{
    CommandHistory h;
    for (const auto& l : lines)
        h.submit(l, 100);
    return h;
}

TEST(CommandHistory, SubmissionsMoveAppendAndTrim)
{
    struct Case { std::string line; int retained; Lines want; };
    const Case cases[] = {
        {"a", 10, {"b", "c", "a"}},
        {"b", 10, {"a", "c", "b"}},
        {"c", 10, {"a", "b", "c"}},
        {"d", 3, {"b", "c", "d"}},
        {"d", 10, {"a", "b", "c", "d"}},
        {"d", 1, {"b", "c", "d"}}, // one deletion per submission, even below the limit
        {"", 10, {"a", "b", "c"}},
    };
    for (const auto& c : cases) {
        CommandHistory h = historyOf({"a", "b", "c"});
        h.submit(c.line, c.retained);
        EXPECT_EQ(h.entries(), c.want) << c.line << " " << c.retained;
    }
}

TEST(CommandHistory, RepeatedSubmissionKeepsOneEntry)
{
    CommandHistory h = historyOf({"look", "look", "look"});
    EXPECT_EQ(h.entries(), Lines{"look"});
    EXPECT_EQ(h.HistoryIndex, 0);
}

TEST(CommandHistory, UpAndDownWalkIncludingTheEmptyPosition)
{
    CommandHistory h = historyOf({"a", "b"});
    h.submit("c", 10);
    EXPECT_EQ(h.HistoryIndex, 2);
    ASSERT_TRUE(h.up());
    EXPECT_EQ(*h.up(), "a");
    EXPECT_EQ(h.up(), nullptr); // at the oldest nothing happens
    EXPECT_EQ(*h.down(), "b");
    EXPECT_EQ(*h.down(), "c");
    EXPECT_EQ(*h.down(), ""); // past the newest: the empty line
    EXPECT_EQ(h.down(), nullptr);
    EXPECT_EQ(*h.up(), "c");
}

TEST(CommandHistory, EmptyHistoryMovesNowhere)
{
    CommandHistory h;
    EXPECT_EQ(h.up(), nullptr);
    EXPECT_EQ(h.down(), nullptr);
}

bool typeAll(HiddenCode& code, const std::string& keys)
{
    bool opened = false;
    for (char k : keys)
        opened = code.feed(k) || opened;
    return opened;
}

TEST(HiddenCode, OpensOnlyForCThenTheTenCodeCharacters)
{
    HiddenCode code;
    EXPECT_TRUE(typeAll(code, "xcstatroller"));
    EXPECT_TRUE(typeAll(code, "CSTATROLLER"));
    HiddenCode fresh;
    EXPECT_FALSE(typeAll(fresh, "xSTATROLLER"));    // eleven characters, no C between
    EXPECT_FALSE(typeAll(fresh, "cxstatroller"));   // eleven characters after the C
    EXPECT_FALSE(typeAll(fresh, "statroller"));     // still more than ten since the C
    EXPECT_TRUE(typeAll(fresh, "cstatroller"));     // a new C starts again
    EXPECT_FALSE(typeAll(fresh, "cstatrolle"));
}

} // namespace
} // namespace tw
