// RunTriggers skips the search for triggers that cannot match (found for all of them in one
// pass) and keeps prepared patterns between blocks; these tests hold it to a plain run that
// does neither.
#include "script/BytePairSet.h"
#include "script/TextOps.h"
#include "script/TriggerEngine.h"
#include "script/TriggerIndex.h"

#include "RecordingScriptHost.h"
#include "support/TriggerReference.h"

#include "net/AnsiColour.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <random>
#include <utility>

namespace tw {
namespace {

using Lines = std::vector<std::string>;
using test::referenceRun;

struct Side {
    test::RecordingScriptHost host;
    ScriptState state;
    CommandParser parser{host, state};
};

// Picks n random tokens from a small set, so that patterns often but not always occur.
template <std::size_t N>
std::string randomText(std::mt19937& rng, const char* const (&tokens)[N], unsigned maxCount)
{
    std::string text;
    for (unsigned n = rng() % (maxCount + 1); n > 0; --n)
        text += tokens[rng() % N];
    return text;
}

TEST(TriggerEngineReference, SkippingAndKeepingPatternsChangesNothing)
{
    // Bytes of the highlight sequences are in both sets, so later triggers can match across
    // the edges of inserted highlights.
    static const char* const blockTokens[] = {"a", "b", "ab", "c", "d", "m", "4", ";", "[", "\x1b",
                                              "\r\n", " ", "%0", "zz", "q", "\x1b[d", "1;", " a ", " b "};
    static const char* const patternTokens[] = {"a", "b", "ab", "c", "d", "m", "4", "%%", "%0", "%1", " %0 ",
                                                " zz ", " q ", "\x1b[", "[d", "m", "\r\n", ";4", "da"};
    static const char* const responses[] = {"", "", "say %0", "#ALIAS zz a%0", "#ALIASOFF",
                                            "#ALIASON", "#ALIAS q b", "#ALIAS q a", "x"};
    static const char* const switches[] = {"100000", "100000", "101501", "100200", "000000", "1016xx", "1"};

    std::mt19937 rng(20240611);
    for (int round = 0; round < 1500; ++round) {
        Side engineSide, referenceSide;
        TriggerEngine engine(engineSide.state, engineSide.parser);
        ScriptState& state = engineSide.state;
        state.aliases = {{"zz", "b%%"}, {"q", "a"}, {"al", "%1"}};
        // Every tenth list is long, so that many triggers share the one pass over the block.
        for (unsigned n = 1 + rng() % (round % 10 == 0 ? 60 : 6); n > 0; --n)
            state.triggers.push_back({randomText(rng, patternTokens, 4), responses[rng() % std::size(responses)],
                                      switches[rng() % std::size(switches)]});
        referenceSide.state.aliases = state.aliases;
        referenceSide.state.triggers = state.triggers;

        // Several blocks through the same engine, with the lists changed between some of them
        // as the dialogs would change them.
        for (int blockNo = 0; blockNo < 3; ++blockNo) {
            switch (rng() % 5) {
            case 0: state.aliases[rng() % state.aliases.size()].expansion = randomText(rng, patternTokens, 2); break;
            case 1: state.aliasesOn = !state.aliasesOn; break;
            case 2: state.triggers[rng() % state.triggers.size()].pattern = randomText(rng, patternTokens, 4); break;
            case 3:
                if (rng() % 2 && state.triggers.size() > 1)
                    state.triggers.erase(state.triggers.begin() + static_cast<std::ptrdiff_t>(rng() % state.triggers.size()));
                else
                    state.triggers.push_back({randomText(rng, patternTokens, 4), "", "101501"});
                break;
            default: break;
            }
            referenceSide.state.aliases = state.aliases;
            referenceSide.state.aliasesOn = state.aliasesOn;
            referenceSide.state.triggers = state.triggers;

            const std::string original = randomText(rng, blockTokens, round % 10 == 0 ? 200 : 40);
            std::string block = original, expectedBlock = original;
            const std::string echo = engine.RunTriggers(block);
            const std::string expectedEcho = referenceRun(referenceSide.state, referenceSide.parser, expectedBlock);

            const auto where = [&] {
                std::string s = "round " + std::to_string(round) + " block " + std::to_string(blockNo) + ":";
                for (const TriggerEntry& t : state.triggers)
                    s += " [" + t.pattern + "|" + t.response + "|" + t.switches + "]";
                return s + " on [" + original + "]";
            };
            ASSERT_EQ(block, expectedBlock) << where();
            ASSERT_EQ(echo, expectedEcho) << where();
            ASSERT_EQ(engineSide.host.sent, referenceSide.host.sent) << where();
            ASSERT_EQ(state.captures.texts, referenceSide.state.captures.texts) << where();
            ASSERT_EQ(state.aliases, referenceSide.state.aliases) << where();
        }
    }
}

TEST(TriggerEngineReference, FindsPiecesThatAHighlightMakesAtItsEdges)
{
    // Each later pattern occurs only once the highlight of "orc" is in, and reaches as far out
    // of the inserted text as its length allows.
    struct Case {
        const char* block;
        TriggerList triggers;
    } cases[] = {
        {"ab orc", {{"orc", "", "101501"}, {"b \x1b", "say left", "100000"}}},
        {"orc xy", {{"orc", "", "101501"}, {"d xy", "say right", "100000"}}},
        {"orc orc!", {{"orc", "", "101501"}, {"[d %%!", "say both", "100000"}, {"b \x1b", "say none", "100000"}}},
        {"in orc", {{"orc", "", "100200"}, {"orc", "", "101501"}, {"d\x1b[d", "say twice", "100000"}}},
    };
    for (const Case& c : cases) {
        Side engineSide, referenceSide;
        TriggerEngine engine(engineSide.state, engineSide.parser);
        engineSide.state.triggers = referenceSide.state.triggers = c.triggers;
        std::string block = c.block, expected = c.block;
        engine.RunTriggers(block);
        referenceRun(referenceSide.state, referenceSide.parser, expected);
        EXPECT_EQ(block, expected) << c.block;
        EXPECT_EQ(engineSide.host.sent, referenceSide.host.sent) << c.block;
        EXPECT_FALSE(engineSide.host.sent.empty()) << c.block;
    }
}

TEST(TriggerIndex, RulesOutTriggersWithAPieceTheBlockLacksAndFollowsTheLists)
{
    using V = TriggerIndex::Verdict;
    ScriptState state;
    state.triggers = {{"orc", "", "100000"},        {"%% tells you '%%'", "", "100000"}, {"%0 waves", "", "100000"},
                      {"", "", "100000"},           {"elf%%dwarf", "", "100000"},        {"foe", "", "100000"}};
    state.aliases = {{"foe", "dwarf"}};
    PreparedPatternCache patterns;
    TriggerIndex index;
    const auto verdicts = [&](std::string_view block) {
        std::vector<V> v;
        for (std::size_t i = 0; i < state.triggers.size(); ++i)
            v.push_back(index.check(i, state.triggers[i].pattern, patterns, block));
        return v;
    };
    const std::string block = "an orc\r\nBob tells you 'hi'\r\n dwarf";
    index.startBlock(state, patterns);
    // Captures and empty patterns go the usual way; "foe" is searched as the alias makes it.
    EXPECT_EQ(verdicts(block), (std::vector<V>{V::Present, V::Present, V::NotCovered, V::NotCovered, V::Absent,
                                               V::Present}));
    // A pattern changed while the index stood goes the usual way until the next block.
    state.triggers[0].pattern = "troll";
    EXPECT_EQ(index.check(0, "troll", patterns, block), V::NotCovered);
    index.startBlock(state, patterns);
    EXPECT_EQ(index.check(0, "troll", patterns, block), V::Absent);
    // So does every trigger once the aliases change within a block.
    state.aliases[0].expansion = "orc";
    patterns.refresh(state);
    EXPECT_EQ(index.check(5, "foe", patterns, block), V::NotCovered);
    index.startBlock(state, patterns);
    EXPECT_EQ(index.check(5, "foe", patterns, "an orc"), V::Present);
    EXPECT_EQ(index.check(5, "foe", patterns, "an elf"), V::Present); // the walk is once per block
    index.startBlock(state, patterns);
    EXPECT_EQ(index.check(5, "foe", patterns, "an elf"), V::Absent);
}

// Every byte the index walks counts in the work budget, the walks again over the text that
// highlights put into the block too.
TEST(TriggerIndex, CountsEveryByteItScansAgainAfterHighlights)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::size_t, std::size_t>> inserted;
        std::size_t least, most; // bytes counted for the walks again
    };
    const Case cases[] = {
        {"one highlight", {{100, 116}}, 16, 200},
        {"two apart", {{100, 116}, {3000, 3016}}, 32, 400},
        {"all over the block", {{0, 2000}, {2000, 4000}}, 4000, 4000},
    };
    for (const Case& c : cases) {
        ScriptState state;
        state.triggers = {{"orc", "", "101501"}, {std::string(60, 'q') + "%%x", "", "100000"}};
        PreparedPatternCache patterns;
        TriggerIndex index;
        std::string block(4000, '.');
        block.replace(2000, 3, "orc");
        index.startBlock(state, patterns);
        ASSERT_EQ(index.check(0, state.triggers[0].pattern, patterns, block), TriggerIndex::Verdict::Present);
        const std::size_t first = index.bytesScanned();
        EXPECT_EQ(first, block.size()) << c.what;
        for (const auto& [from, to] : c.inserted)
            index.noteInserted(from, to);
        index.blockChanged(block);
        EXPECT_GE(index.bytesScanned() - first, c.least) << c.what;
        EXPECT_LE(index.bytesScanned() - first, c.most) << c.what;
    }
}

TEST(BytePairSet, SaysNoOnlyForPiecesThatCannotOccur)
{
    struct Case {
        const char* text;
        const char* piece;
        bool may;
    } cases[] = {
        {"hello world", "world", true},
        {"hello world", "wor", true},
        {"hello world", "o w", true},
        {"hello world", "ow", false},
        {"hello world", "h", true},  // the first byte
        {"hello world", "d", true},  // the last byte
        {"hello world", "x", false},
        {"hello world", "", true},
        {"a", "a", true},
        {"a", "b", false},
        {"", "a", false},
        {"\xff\x80\x00z", std::string_view("\x80\x00", 2).data(), true},
    };
    BytePairSet set;
    for (const Case& c : cases) {
        set.assign(c.text);
        EXPECT_EQ(set.mayContain(c.piece), c.may) << c.text << " / " << c.piece;
    }
    // A piece of bytes that are each in the set, in an order that is not.
    set.assign("ab");
    EXPECT_FALSE(set.mayContain("ba"));
    // What is added joins what was there; an earlier text's pairs are gone.
    set.add("xy");
    set.addPair('b', 'x');
    EXPECT_TRUE(set.mayContain("abxy"));
    EXPECT_TRUE(set.mayContain("x"));
    set.assign("q");
    EXPECT_FALSE(set.mayContain("ab"));
    EXPECT_FALSE(set.mayContain("x"));
}

TEST(BytePairSet, StaysRightAcrossTheStampWrap)
{
    BytePairSet set;
    for (int i = 0; i < 600; ++i) {
        set.assign(i % 2 ? "odd" : "even");
        ASSERT_EQ(set.mayContain("dd"), i % 2 == 1) << i;
        ASSERT_EQ(set.mayContain("ve"), i % 2 == 0) << i;
    }
}

// A host whose message box runs another block through the engine, as the event loop of a
// real message box can.
struct ReenteringHost : test::RecordingScriptHost {
    std::function<void()> onBox;
    MsgAnswer messageBox(const std::string& caption, const std::string& text, MsgButtons b) override
    {
        RecordingScriptHost::messageBox(caption, text, b);
        if (onBox)
            std::exchange(onBox, nullptr)();
        return MsgAnswer::Ok;
    }
};

TEST(TriggerEngine, ABlockLetInByAMessageBoxLeavesTheRunningOneIntact)
{
    ReenteringHost host;
    ScriptState state;
    CommandParser parser(host, state);
    TriggerEngine engine(state, parser);
    state.triggers = {
        {"orc", "#DELAY x orc", "101501"}, // the bad #DELAY opens a message box
        {"[db", "say joined", "100000"},   // only across the end of the highlight of "orc"
        {"elf", "say elf", "100200"},
        {"xyz", "say xyz", "100000"},      // only in the outer block
    };
    std::string inner = "an elf";
    host.onBox = [&] { engine.RunTriggers(inner); };
    std::string block = "orcb elf xyz";
    engine.RunTriggers(block);

    const std::string yellow = "\x1b[c\x1b[1;33;44m", blue = "\x1b[c\x1b[0;34;40m", off = "\x1b[d";
    EXPECT_EQ(inner, "an " + blue + "elf" + off);
    EXPECT_EQ(block, yellow + "orc" + off + "b " + blue + "elf" + off + " xyz");
    EXPECT_EQ(host.sent, (Lines{"say elf\r\n", "say joined\r\n", "say elf\r\n", "say xyz\r\n"}));
}

TEST(TriggerEngine, PatternsFollowCapturesAndAliasesChangedWithinABlock)
{
    test::RecordingScriptHost host;
    ScriptState state;
    CommandParser parser(host, state);
    TriggerEngine engine(state, parser);
    state.triggers = {
        {"got %%!", "say got", "100000"},
        {"%0 waves", "#ALIAS foe troll", "100000"}, // reads the capture of the trigger before it
        {"foe", "say seen", "100000"},              // reads the alias the response before defined
    };
    state.aliases = {{"foe", "orc"}};
    std::string block = "nothing here";
    engine.RunTriggers(block); // the patterns are prepared once before
    block = "got orc! orc waves. troll";
    engine.RunTriggers(block);
    EXPECT_EQ(host.sent, (Lines{"say got\r\n", "say seen\r\n"}));

    // The next block sees the list as the dialog left it.
    host.sent.clear();
    state.aliases = {{"foe", "elf"}};
    block = "an elf";
    engine.RunTriggers(block);
    EXPECT_EQ(host.sent, Lines{"say seen\r\n"});
}

} // namespace
} // namespace tw
