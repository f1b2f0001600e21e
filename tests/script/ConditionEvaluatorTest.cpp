#include "script/ConditionEvaluator.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ConditionEvaluator, FoldsComparisonsAndLogic)
{
    struct Case {
        const char* condition;
        bool result;
    } cases[] = {
        {"1", true}, {"0", false}, {"", false}, {"yes", false}, {"TRUE", false},
        {"10 > 9", true}, {"9 > 10", false}, {"abc = abc", true}, {"abc = ABC", false},
        {"-5 < 3", false}, {"3 <= 3", true}, {"3 >= 4", false}, {"3 <> 4", true},
        {"3 != 3", false}, {"5 > 5", false}, {"5 < 5", false}, {"5 == 5", true}, {"5 => 5", true}, {"6 >< 5", true},
        {"\"a b\" = 'a b'", true}, {"\"a b\" = 'a c'", false},
        {"(9 > 5) and (8 > 5)", true}, {"(9 > 5) and (2 > 5)", false},
        {"not 0", true}, {"!0", true}, {"not (0)", true}, {"1 or 0 and 0", true},
        {"1 and not 1", false}, {"1 AND 1", false}, {"1   and    1", true},
        {"( 1 )", true}, {"((1))", true}, {"()1", true},
        {"= 5", false}, {"x =", false}, {"x = )", false},
        {"'' = x", false}, {"( = x", false}, {"\"\" < x", false},
        // The leading "(" is not closed by the trailing ")": only real pairs are stripped.
        {"(1) and (1)", true},
        {"((b > 1) or (1 > b)) and ((c > 1) or (d > 1))", true},
        {"((0 > 1) or (0 > 1)) and ((c > 1) or (d > 1))", false},
        {"not not 1", true}, {"!!0", false},
        {"10 > 9 and 10 > 9", true},        // a left operand after a blank keeps its first character
        {"0 = 1 and percent < 101", false}, // the text before "percent" is kept
        {"=5 > 3", false},                  // an operator at the first character
        {"1 () and 1", true},               // "()" removed, then the blanks tidied again
    };
    std::mt19937 rng(1);
    for (const Case& c : cases)
        EXPECT_EQ(EvaluateCondition(c.condition, rng), c.result) << c.condition;
}

TEST(ConditionEvaluator, PercentDrawsEachOccurrenceFromZeroToHundred)
{
    std::mt19937 rng(7), mirror(7);
    std::uniform_int_distribution<int> draw(0, 100);
    int trueCount = 0;
    for (int i = 0; i < 300; ++i) {
        const int expected = draw(mirror);
        const bool result = EvaluateCondition("percent < 50", rng);
        EXPECT_EQ(result, expected < 50) << expected;
        trueCount += result;
        EXPECT_TRUE(EvaluateCondition("percent < 101", rng));
        EXPECT_FALSE(EvaluateCondition("percent < 0", rng));
        draw(mirror);
        draw(mirror);
    }
    EXPECT_GT(trueCount, 100);
    EXPECT_LT(trueCount, 200);

    // Two occurrences get two numbers: the comparison sees the first and second draws.
    std::mt19937 a(11), b(11);
    const int first = draw(b), second = draw(b);
    EXPECT_EQ(EvaluateCondition("percent = percent", a), first == second);
    // Also inside a longer word.
    std::mt19937 c(3);
    EXPECT_TRUE(EvaluateCondition("xpercent > x", c));
}

TEST(ConditionEvaluator, LongChainsFoldUntilTheWorkBudgetEnds)
{
    std::mt19937 rng(1);
    // 999 negations of 0 take about 500 rounds and still come out right.
    EXPECT_TRUE(EvaluateCondition(std::string(999, '!') + "0", rng));
    EXPECT_FALSE(EvaluateCondition(std::string(998, '!') + "0", rng));
    // Long quoted operands are blanked before folding and cost nothing there.
    const std::string big(60000, 'x');
    EXPECT_TRUE(EvaluateCondition("'" + big + "' = '" + big + "' and not 0", rng));
    // An odd chain of 40001 would be true, but it would take 20000 rounds over 40 KB each.
    EXPECT_FALSE(EvaluateCondition(std::string(40001, '!') + "0", rng));
}

TEST(ConditionEvaluator, NormalizeTidiesBlanksAndEnclosingPairs)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"  a   and  b ", "a and b"},
        {"( a )", "a"},
        {"((a) )", "a"},
        {"(a) or (b)", "(a) or (b)"},
        {"( (a) or (b) )", "(a) or (b)"},
        {"()", ""},
        {")a(", ")a("},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        NormalizeCondition(text);
        EXPECT_EQ(text, c.out) << c.in;
    }
}

} // namespace
} // namespace tw
