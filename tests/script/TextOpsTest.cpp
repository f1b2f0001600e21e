#include "script/TextOps.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

constexpr std::size_t None = std::string::npos;

TEST(TextOps, WholeWordPosNeedsSeparatorsOnBothSides)
{
    struct Case {
        const char* text;
        const char* word;
        std::size_t pos;
    } cases[] = {
        {"k orc", "k", 0},     {"kk orc", "k", None},  {"k2 orc", "k", None},
        {"say k", "k", 4},     {"kk k", "k", 3},       {"x,k.", "k", 2},
        {"k", "k", 0},         {"", "k", None},        {"k orc", "", None},
        {"tell %0's", "%0", 5}, {"tell x%0", "%0", None}, {"a\xe9k\xe9", "k", 2},
        {"K orc", "k", None}, // exact bytes; the alias rewrite folds case itself
    };
    for (const Case& c : cases)
        EXPECT_EQ(WholeWordPos(c.text, c.word), c.pos) << c.text << " / " << c.word;
}

TEST(TextOps, WordSeparatorsAreEverythingButLettersAndDigits)
{
    int words = 0;
    for (int c = 0; c < 256; ++c)
        words += WordSeparators[c] ? 0 : 1;
    EXPECT_EQ(words, 62);
    EXPECT_TRUE(WordSeparators[0]);
    EXPECT_TRUE(WordSeparators[';']);
    EXPECT_TRUE(WordSeparators[200]);
    EXPECT_FALSE(WordSeparators['z']);
}

TEST(TextOps, NextSeparatorSkipsEvenRuns)
{
    struct Case {
        const char* text;
        std::size_t from;
        std::size_t pos;
    } cases[] = {
        {"n;s", 0, 1},    {";;look", 0, None}, {"a;;;b", 0, 1},  {"a;;;b", 2, None},
        {"a;;;;b;c", 0, 6}, {"abc", 0, None}, {";", 0, 0},        {";;", 1, 1},
        {"x;;", 0, None}, {"a;;b;;;c", 0, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextSeparator(c.text, c.from), c.pos) << c.text << " from " << c.from;
}

TEST(TextOps, NextTokenTakesQuotedAndPlainTokens)
{
    struct Case {
        const char* text;
        const char* token;
        const char* rest;
    } cases[] = {
        {"  #DO 'n;e' x", "#DO", "'n;e' x"},
        {"'n;e' x", "n;e", "x"},
        {"\"a b\"c d", "a b", "c d"},
        {"'open to end", "open to end", ""},
        {"\r\nword\r\n  next", "word\r\n", "next"}, // only a space ends a plain token
        {"", "", ""},
        {"''  z", "", "z"},
        {"a\tb c", "a\tb", "c"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(NextToken(text), c.token) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(TextOps, ReplaceFirstChangesOnlyTheFirstExactOccurrence)
{
    std::string t = "1 and 1 and 1";
    EXPECT_TRUE(ReplaceFirst(t, "1 and 1", "1"));
    EXPECT_EQ(t, "1 and 1");
    EXPECT_FALSE(ReplaceFirst(t, "AND", "x"));
    EXPECT_FALSE(ReplaceFirst(t, "", "x"));
    EXPECT_EQ(t, "1 and 1");
}

TEST(TextOps, AliasesApplyInListOrderWithinAPass)
{
    struct Case {
        AliasList aliases;
        const char* line;
        const char* expanded;
    } cases[] = {
        {{{"k", "kill"}}, "k orc", "kill orc"},
        {{{"k", "kill"}}, "K orc", "kill orc"},
        {{{"K", "kill"}}, "k orc", "kill orc"},
        {{{"k", "kill"}}, "kk orc", "kk orc"},
        {{{"k", "kill"}}, "say k", "say kill"},
        {{{"k", "kill"}}, "k k;k", "kill kill;kill"},
        {{{"Ko", "x"}}, "ko KO kO", "x x x"},
        {{{"a", "b"}, {"b", "c"}}, "a", "c"},
        {{{"b", "c"}, {"a", "b"}}, "a", "c"},
        {{{"k", "kill"}, {"k", "kick"}}, "k", "kill"},
        {{{"k", ""}}, "k orc", " orc"},
        {{{"", "x"}}, "k orc", "k orc"},
        {{{"", "x"}}, ";k orc", ";k orc"},  // an empty word matches nowhere, not even at a separator
        {{{"Say", "SAY"}}, "say Hello", "SAY Hello"},
        {{{"x", "x y"}}, "x", "x y y y y y y y y y y"},
        {{{"x", "x y"}, {"k", "kill"}}, "x k", "x y y y y y y y y y y kill"}, // later aliases in a pass still run
        {{{"longword", "x"}, {"", "y"}, {"k", "kill"}}, "k", "kill"},          // words that cannot occur are passed over
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandAliases(c.line, c.aliases), c.expanded) << c.line;
}

TEST(TextOps, ExpansionStopsBeforeAPassOutgrowsTheLimit)
{
    // Each pass multiplies the line by eight; ten passes would make it a gigabyte.
    const AliasList aliases = {{"a", "a a a a a a a a"}};
    const std::string out = ExpandAliases("a", aliases);
    EXPECT_LE(out.size(), MaxExpandedLength);
    EXPECT_EQ(out.size(), 2u * 8 * 8 * 8 * 8 * 8 - 1); // five passes fit, the sixth would not
    CaptureSlots slots;
    slots.set(0, "%0 %0 %0 %0");
    EXPECT_LE(ExpandCaptures("%0", slots, true).size(), MaxExpandedLength);
    // Exactly as long as the limit is still taken.
    const std::string full(MaxExpandedLength, 'x');
    EXPECT_EQ(ExpandAliases("a", {{"a", full}}), full);
    // A line that is already longer is not cut, only not grown.
    const std::string longLine(MaxExpandedLength + 10, 'z');
    EXPECT_EQ(ExpandAliases(longLine + " a", aliases), longLine + " a");
}

TEST(TextOps, CapturesAreWholeWordsAndQuotedOnRequest)
{
    CaptureSlots slots;
    slots.set(0, "guard");
    slots.set(2, "two words");
    struct Case {
        const char* line;
        bool quote;
        const char* expanded;
    } cases[] = {
        {"tell %0 hi", false, "tell guard hi"},
        {"tell %0's hi", false, "tell guard's hi"},
        {"tell x%0 hi", false, "tell x%0 hi"},
        {"%0%0", false, "guardguard"},
        {"%1 stays", false, "%1 stays"},
        {"#IF %2 = 'a b' then x", true, "#IF \"two words\" = 'a b' then x"},
        {"%00", false, "%00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandCaptures(c.line, slots, c.quote), c.expanded) << c.line;

    // A slot naming another is rewritten in a later pass.
    slots.set(1, "%0!");
    EXPECT_EQ(ExpandCaptures("%1", slots, false), "guard!");
}

} // namespace
} // namespace tw
