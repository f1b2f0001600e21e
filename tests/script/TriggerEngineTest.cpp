#include "script/TriggerEngine.h"
#include "script/TriggerPattern.h"

#include "RecordingScriptHost.h"
#include "support/Sanitizer.h"

#include <gtest/gtest.h>

#include <chrono>

namespace tw {
namespace {

using Lines = std::vector<std::string>;

struct Fixture {
    test::RecordingScriptHost host;
    ScriptState state;
    CommandParser parser{host, state};
    TriggerEngine engine{state, parser};
};

Lines piecesOf(const PreparedPattern& p)
{
    return Lines(p.pieces.begin(), p.pieces.begin() + static_cast<std::ptrdiff_t>(p.count));
}

TEST(TriggerPattern, CutsAtWildcards)
{
    struct Case {
        const char* pattern;
        Lines pieces;
    } cases[] = {
        {"%% tells you '%%'", {"\r\n", " tells you '", "'"}},
        {"You see %%%%", {"You see ", "\r\n"}},
        {"HP: %%/%%", {"HP: ", "/"}},
        {"You are hungry", {"You are hungry"}},
        {"", {}},
        {"%%", {"\r\n"}},
        {"%%%", {"\r\n", "%"}},
        {"a%%b%%c%%d%%e%%f%%g%%h%%i%%j%%k%%l", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k%%l"}},
    };
    PreparedPattern p;
    for (const Case& c : cases) {
        PreparePattern(c.pattern, {}, true, {}, p);
        EXPECT_EQ(piecesOf(p), c.pieces) << c.pattern;
    }
}

TEST(TriggerPattern, ExpandsAliasesWhenOnAndCapturesUnquoted)
{
    const AliasList aliases = {{"foe", "orc"}};
    CaptureSlots captures;
    captures.set(0, "Bob");
    PreparedPattern p;
    PreparePattern("FOE %0 %%", aliases, true, captures, p);
    EXPECT_EQ(piecesOf(p), Lines{"orc Bob "});
    PreparePattern("FOE %0 %%", aliases, false, captures, p);
    EXPECT_EQ(piecesOf(p), Lines{"FOE Bob "});
}

TEST(TriggerPattern, CapturesStartAfterALineEnd)
{
    struct Case {
        const char* block;
        bool matches;
        const char* first;
        const char* second;
    } cases[] = {
        {"\r\nGuard tells you 'hi'", true, "Guard", "hi"},
        {"a\r\nX tells you 'y'", true, "X", "y"},
        {"a\r\nb\r\nX tells you 'y'", true, "b\r\nX", "y"},
        {"X tells you 'y'", false, "", ""},
        {"\r\nX tells you 'y", false, "", ""},
    };
    PreparedPattern p;
    PreparePattern("%% tells you '%%'", {}, true, {}, p);
    for (const Case& c : cases) {
        CaptureSlots slots;
        slots.set(1, "old1");
        slots.set(2, "kept");
        const auto m = MatchPattern(c.block, 0, p, slots);
        ASSERT_EQ(m.has_value(), c.matches) << c.block;
        EXPECT_EQ(slots[2], std::optional<std::string>("kept"));
        if (!c.matches) {
            EXPECT_FALSE(slots[0].has_value());
            EXPECT_EQ(slots[1], std::optional<std::string>("old1"));
            continue;
        }
        EXPECT_EQ(slots[0], std::optional<std::string>(c.first));
        EXPECT_EQ(slots[1], std::optional<std::string>(c.second));
        EXPECT_EQ(std::string(c.block).substr(m->start, MatchLength(*m)),
                  "\r\n" + std::string(c.first) + " tells you '" + c.second + "'");
    }

    PreparePattern("You see %%%%", {}, true, {}, p);
    CaptureSlots slots;
    const auto m = MatchPattern("You see a sword.\r\nExits: n", 0, p, slots);
    ASSERT_TRUE(m);
    EXPECT_EQ(slots[0], std::optional<std::string>("a sword."));
    EXPECT_EQ(MatchLength(*m), std::string("You see a sword.\r\n").size());
}

TEST(TriggerEngine, ResponsesSeeTheCapturesOfTheirMatch)
{
    Fixture f;
    f.state.triggers = {{"%% tells you '%%'", "tell %0 got %1", "100000"}};
    std::string block = "\r\nGuard tells you 'hi'\r\nMage tells you 'yo'";
    const std::string echo = f.engine.RunTriggers(block);
    EXPECT_EQ(f.host.sent, (Lines{"tell Guard got hi\r\n", "tell Mage got yo\r\n"}));
    EXPECT_EQ(echo, "tell %0 got %1\r\ntell %0 got %1\r\n");
    EXPECT_EQ(block, "\r\nGuard tells you 'hi'\r\nMage tells you 'yo'");
}

TEST(TriggerEngine, EveryOccurrenceFiresInListOrder)
{
    Fixture f;
    f.state.triggers = {
        {"You are hungry", "eat", "100000"},
        {"hungry", "drink", "100000"},
        {"you are hungry", "never", "100000"},
        {"hungry", "inactive", "000000"},
        {"", "empty", "100000"},
    };
    std::string block = "You are hungry.\r\nYou are hungryYou are hungry";
    f.state.echo = EchoMode::Enter;
    const std::string echo = f.engine.RunTriggers(block);
    EXPECT_EQ(f.host.sent, (Lines{"eat\r\n", "eat\r\n", "eat\r\n", "drink\r\n", "drink\r\n", "drink\r\n"}));
    EXPECT_EQ(echo, "\r\n\r\n\r\n\r\n\r\n\r\n");
    f.state.echo = EchoMode::None;
    f.host.sent.clear();
    EXPECT_EQ(f.engine.RunTriggers(block), "");
    EXPECT_EQ(f.host.sent.size(), 6u);
}

TEST(TriggerEngine, HighlightWrapsOnlyTheMatch)
{
    Fixture f;
    f.state.triggers = {{"dragon", "", "101501"}}; // yellow on blue
    std::string block = "A dragon and a dragon.";
    EXPECT_EQ(f.engine.RunTriggers(block), "");
    const std::string on = "\x1b[c\x1b[1;33;44m", off = "\x1b[d";
    EXPECT_EQ(block, "A " + on + "dragon" + off + " and a " + on + "dragon" + off + ".");
    EXPECT_TRUE(f.host.sent.empty());

    // A later trigger searches the changed block.
    f.state.triggers = {{"dragon", "", "100200"}, {"mdra", "hit", "100000"}};
    block = "dragon";
    f.engine.RunTriggers(block);
    EXPECT_EQ(block, "\x1b[c\x1b[0;34;40mdragon\x1b[d");
    EXPECT_EQ(f.host.sent, Lines{"hit\r\n"});
}

TEST(TriggerEngine, SwitchStringsFromFilesHighlightOnlyWithValidIndexes)
{
    struct Case {
        const char* switches;
        const char* block;
    } cases[] = {
        {"100000", "x"},
        {"1", "x"},
        {"1017", "x"},
        {"1016xx", "\x1b[c\x1b[1;37;40mx\x1b[d"},
        {"101609", "\x1b[c\x1b[1;37;40mx\x1b[d"},
        {"101707", "x"},
        {"10ab07", "x"},
        {"100107", "\x1b[c\x1b[0;30;47mx\x1b[d"},
        {"100900", "\x1b[c\x1b[1;30;40mx\x1b[d"}, // digits 9 and 0 are digits too
        {"101000", "\x1b[c\x1b[1;34;40mx\x1b[d"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.state.triggers = {{"x", "", c.switches}};
        std::string block = "x";
        f.engine.RunTriggers(block);
        EXPECT_EQ(block, c.block) << c.switches;
    }
}

TEST(TriggerEngine, NothingRunsWhileTriggersAreOff)
{
    Fixture f;
    f.state.triggers = {{"x", "say x", "101501"}};
    f.state.captures.set(0, "before");
    f.state.triggers.push_back({"%%x", "", "100000"});
    f.parser.ParseCommand("#TRIGGEROFF");
    std::string block = "\r\nax";
    EXPECT_EQ(f.engine.RunTriggers(block), "");
    EXPECT_EQ(block, "\r\nax");
    EXPECT_TRUE(f.host.sent.empty());
    EXPECT_EQ(f.state.captures[0], std::optional<std::string>("before"));
}

TEST(TriggerEngine, HighlightsStopGrowingTheBlockAtTheBound)
{
    Fixture f;
    // Each highlight of "3" holds two more "3"s, so every trigger triples them.
    for (int i = 0; i < 20; ++i)
        f.state.triggers.push_back({"3", "", "101501"});
    std::string block(1000, '3');
    f.engine.RunTriggers(block);
    EXPECT_LE(block.size(), TriggerEngine::MaxHighlightedBlock);
    EXPECT_GT(block.size(), TriggerEngine::MaxHighlightedBlock / 2);
}

// Whatever the trigger list, one block costs a bounded time: past the work budget the rest
// of the block goes unmatched and the status row says so. What ran before the stop ran as
// always: whole triggers in list order, every occurrence highlighted, the text kept whole.
TEST(TriggerEngine, AWorkBudgetStopsMatchingABlock)
{
    Fixture f;
    for (int i = 0; i < 5000; ++i)
        f.state.triggers.push_back({"orc", "kill orc", "101501"});
    const std::string line = "An orc arrives from the north.\r\n";
    std::string original;
    while (original.size() < 24 * 1024)
        original += line;
    const std::size_t perTrigger = original.size() / line.size();

    std::string block = original;
    const auto start = std::chrono::steady_clock::now();
    f.engine.RunTriggers(block);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 0.5 * test::SanitizerSlowdown);
    EXPECT_EQ(f.host.lastStatus(), TriggerWorkBudget::StoppedText);
    const std::size_t fired = f.host.sent.size();
    EXPECT_GE(fired, 20 * perTrigger);
    EXPECT_LT(fired, 500 * perTrigger);
    // Every firing highlighted its occurrence; taking the colour changes out gives back the
    // text as received.
    std::size_t highlights = 0;
    for (std::size_t at = block.find("\x1b[c"); at != std::string::npos; at = block.find("\x1b[c", at + 1))
        ++highlights;
    EXPECT_EQ(highlights, fired);
    std::string text;
    for (std::size_t at = 0; at < block.size();) {
        if (block[at] == '\x1b') {
            at = block.find_first_of("cdm", at) + 1;
            continue;
        }
        text += block[at++];
    }
    EXPECT_EQ(text, original);

    // The next block has a budget of its own: a short one meets every trigger.
    for (TriggerEntry& t : f.state.triggers)
        t.switches = "100000";
    f.host.sent.clear();
    f.host.statuses.clear();
    block = line;
    f.engine.RunTriggers(block);
    EXPECT_EQ(f.host.sent.size(), 5000u);
    EXPECT_TRUE(f.host.statuses.empty());
}

// A search through the whole block that finds nothing is work like any other: thousands of
// triggers whose words all occur, though never in their order, still stop at the budget.
TEST(TriggerEngine, SearchesThatFindNothingSpendTheBudgetToo)
{
    Fixture f;
    for (int i = 0; i < 5000; ++i)
        f.state.triggers.push_back({"north%%orc", "kill orc", "100000"});
    std::string block;
    while (block.size() < 64000)
        block += "An orc waits.\r\n";
    block += "You came from the north.";
    f.engine.RunTriggers(block);
    EXPECT_TRUE(f.host.sent.empty());
    EXPECT_EQ(f.host.lastStatus(), TriggerWorkBudget::StoppedText);
}

} // namespace
} // namespace tw
