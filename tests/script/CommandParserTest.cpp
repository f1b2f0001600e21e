#include "base/ListFileText.h"
#include "script/CommandParser.h"

#include "RecordingScriptHost.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using Lines = std::vector<std::string>;

struct Fixture {
    test::RecordingScriptHost host;
    ScriptState state;
    CommandParser parser{host, state};
};

Lines sentBy(const std::string& line, const AliasList& aliases = {},
             const std::optional<std::string>& slot0 = std::nullopt)
{
    Fixture f;
    f.state.aliases = aliases;
    if (slot0)
        f.state.captures.set(0, *slot0);
    f.parser.ParseCommand(line);
    return f.host.sent;
}

TEST(CommandParser, SendsEachCommandBetweenSeparators)
{
    struct Case {
        const char* line;
        Lines sent;
    } cases[] = {
        {";look", {"look\r\n"}},
        {";;look", {";look\r\n"}},
        {"look;;", {"look;\r\n"}},
        {"n;s", {"n\r\n", "s\r\n"}},
        {"a;;;b", {"a\r\n", ";b\r\n"}},
        {"n;", {"n\r\n"}},
        {"a;;;;b", {"a;;b\r\n"}},
        {"", {}},
        {";", {}},
        {"  ", {"  \r\n"}},
        {"say hi\r\n", {"say hi\r\n\r\n"}},
        {"#FOO bar", {}},
        {" #FOO bar", {" #FOO bar\r\n"}},
        {"#ECHO x;n", {"n\r\n"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sentBy(c.line), c.sent) << c.line;
}

TEST(CommandParser, ExpandsAliasesOverTheWholeLineBeforeCutting)
{
    const AliasList kill = {{"k", "kill"}};
    struct Case {
        AliasList aliases;
        const char* line;
        Lines sent;
    } cases[] = {
        {kill, "k orc", {"kill orc\r\n"}},
        {kill, "K orc", {"kill orc\r\n"}},
        {kill, "kk orc", {"kk orc\r\n"}},
        {kill, "k2 orc", {"k2 orc\r\n"}},
        {kill, "say k", {"say kill\r\n"}},
        {kill, "n;k orc", {"n\r\n", "kill orc\r\n"}},
        {{{"kk", "kill orc;get all"}}, "kk", {"kill orc\r\n", "get all\r\n"}},
        {{{"a", "b"}, {"b", "c"}}, "a", {"c\r\n"}},
        {{{"b", "c"}, {"a", "b"}}, "a", {"c\r\n"}},
        {{{"x", "x y"}}, "x", {"x y y y y y y y y y y\r\n"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sentBy(c.line, c.aliases), c.sent) << c.line;

    Fixture f;
    f.state.aliases = kill;
    f.state.aliasesOn = false;
    f.parser.ParseCommand("k orc");
    EXPECT_EQ(f.host.sent, Lines{"k orc\r\n"});
}

TEST(CommandParser, SubstitutesCapturesQuotedOnlyOnIfLines)
{
    struct Case {
        const char* line;
        Lines sent;
    } cases[] = {
        {"tell %0 hi", {"tell guard hi\r\n"}},
        {"tell %0's hi", {"tell guard's hi\r\n"}},
        {"tell x%0 hi", {"tell x%0 hi\r\n"}},
        {"tell %1 hi", {"tell %1 hi\r\n"}},
        {"#IF %0 = \"guard\" then say %0", {"say \"guard\"\r\n"}},
        {"#IF %0 = guard then say yes else say no", {"say yes\r\n"}},
        {"#IF %0 = Guard then say yes else say no", {"say no\r\n"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sentBy(c.line, {}, std::string("guard")), c.sent) << c.line;
    EXPECT_EQ(sentBy("#IF %0 = 'a b' then say same", {}, std::string("a b")), Lines{"say same\r\n"});
}

TEST(CommandParser, RunsIfAndDo)
{
    struct Case {
        const char* line;
        Lines sent;
    } cases[] = {
        {"#IF 1 then n;;s else w", {"n\r\n", "s\r\n"}},
        {"#IF 0 then n;;s else w", {"w\r\n"}},
        {"#IF 0 then n", {}},
        {"#if 1 then x", {"x\r\n"}},
        {"#IF 1 THEN x ELSE y", {"x\r\n"}},
        {"#IF 10 > 9 then say yes else say no", {"say yes\r\n"}},
        {"#IF 1 then #IF 0 then x else y", {}},
        {"#IF 0 then #IF 1 then x else y", {"y\r\n"}},
        {"#DO 'n;;e'", {"n\r\n", "e\r\n"}},
        {"#DO \"say a b\" ignored", {"say a b\r\n"}},
        {"#do n;s", {"n\r\n", "s\r\n"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sentBy(c.line), c.sent) << c.line;
}

TEST(CommandParser, IfWithoutThenReportsAndDropsTheRestOfTheLine)
{
    for (const char* line : {"#IF 1 Then x;look", "#IF x;look", "n;#IF 1 then;s"}) {
        Fixture f;
        f.parser.ParseCommand(line);
        ASSERT_EQ(f.host.boxes.size(), 1u) << line;
        EXPECT_EQ(f.host.boxes[0].caption, "Error");
        EXPECT_EQ(f.host.boxes[0].text, "No THEN found with #IF!");
        EXPECT_EQ(f.host.boxes[0].buttons, MsgButtons::Ok);
        for (const std::string& s : f.host.sent)
            EXPECT_TRUE(s == "n\r\n") << line << ": " << s;
    }
    // Only the nested call's line is dropped; the outer line goes on.
    EXPECT_EQ(sentBy("#DO '#IF x;;y';n"), Lines{"n\r\n"});
}

TEST(CommandParser, DelayChecksItsParametersAndQueues)
{
    struct Case {
        const char* line;
        const char* error; // nullptr: queued
        std::uint16_t count;
        const char* keyword;
    } cases[] = {
        {"#DELAY 3 foo", nullptr, 3, "foo"},
        {"#DELAY $10 foo bar ", nullptr, 16, "foo bar "},
        {"#DELAY 70000 foo", nullptr, 65535, "foo"},
        {"#DELAY 0 foo", "First parameter is a positive number of seconds.", 0, ""},
        {"#DELAY -2 foo", "First parameter is a positive number of seconds.", 0, ""},
        {"#DELAY x foo", "First parameter is a positive number of seconds.", 0, ""},
        {"#DELAY", "First parameter is a positive number of seconds.", 0, ""},
        {"#DELAY 3", "Second parameter is a trigger keyword.", 0, ""},
        {"#DELAY 3   ", "Second parameter is a trigger keyword.", 0, ""},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.parser.ParseCommand(c.line);
        EXPECT_TRUE(f.host.sent.empty());
        if (c.error) {
            ASSERT_EQ(f.host.boxes.size(), 1u) << c.line;
            EXPECT_EQ(f.host.boxes[0].caption, "Error: DELAY");
            EXPECT_EQ(f.host.boxes[0].text, c.error);
            EXPECT_EQ(f.host.boxes[0].buttons, MsgButtons::OkCancel);
            EXPECT_TRUE(f.state.delays.empty());
        } else {
            EXPECT_TRUE(f.host.boxes.empty()) << c.line;
            ASSERT_EQ(f.state.delays.size(), 1u) << c.line;
            EXPECT_EQ(f.state.delays.entries()[0].countdown, c.count);
            EXPECT_EQ(f.state.delays.entries()[0].keyword, c.keyword);
        }
    }
    Fixture f;
    f.parser.ParseCommand("#DELAY 1 " + std::string(300, 'k'));
    EXPECT_EQ(f.state.delays.entries()[0].keyword, std::string(255, 'k'));
}

TEST(CommandParser, AliasCommandAddsOrAltersWithoutExpanding)
{
    Fixture f;
    f.state.aliases = {{"k", "kick"}, {"K", "x"}, {"k", "second"}};
    f.parser.ParseCommand("#ALIAS k kill");
    EXPECT_EQ(f.state.aliases[0].expansion, "kill");
    EXPECT_EQ(f.state.aliases[2].expansion, "second");
    EXPECT_EQ(f.host.lastStatus(), "Old alias altered.");
    f.parser.ParseCommand("#alias g 'get all'");
    ASSERT_EQ(f.state.aliases.size(), 4u);
    EXPECT_EQ(f.state.aliases[3].line(), "g --> get all");
    EXPECT_EQ(f.host.lastStatus(), "New alias added.");
    const std::size_t statuses = f.host.statuses.size();
    f.parser.ParseCommand("#ALIAS");
    EXPECT_EQ(f.state.aliases.size(), 4u);
    EXPECT_EQ(f.host.statuses.size(), statuses);
    f.parser.ParseCommand("#ALIAS " + std::string(300, 'w') + " x");
    EXPECT_EQ(f.state.aliases.back().word.size(), 255u);
    EXPECT_TRUE(f.host.sent.empty());
    f.parser.ParseCommand("g;k orc");
    EXPECT_EQ(f.host.sent, (Lines{"get all\r\n", "kill orc\r\n"}));
    // A full list still takes changes but no new word: it could not be saved.
    f.state.aliases.resize(MaxListEntries);
    f.parser.ParseCommand("#ALIAS fresh x");
    EXPECT_EQ(f.state.aliases.size(), MaxListEntries);
    EXPECT_EQ(f.host.lastStatus(), ListFullText);
    f.parser.ParseCommand("#ALIAS g 'get coins'");
    EXPECT_EQ(f.state.aliases[3].expansion, "get coins");
}

TEST(CommandParser, TogglesSoundAndTheAutomapperHook)
{
    Fixture f;
    f.parser.ParseCommand("#TRIGGEROFF;#ALIASOFF");
    EXPECT_FALSE(f.state.triggersOn);
    EXPECT_FALSE(f.state.aliasesOn);
    f.parser.ParseCommand("#triggeron;#AliasOn");
    EXPECT_TRUE(f.state.triggersOn);
    EXPECT_TRUE(f.state.aliasesOn);
    f.parser.toggleTriggers();
    f.parser.toggleAliases();
    EXPECT_FALSE(f.state.triggersOn || f.state.aliasesOn);
    EXPECT_EQ(f.host.statuses, (Lines{"Triggers OFF", "Aliases OFF", "Triggers ON", "Aliases ON",
                                      "Triggers OFF", "Aliases OFF"}));

    f.parser.ParseCommand("#PLAY 'ding dong.wav' x;#PLAY");
    EXPECT_EQ(f.host.sounds, (Lines{"ding dong.wav", ""}));

    f.parser.ParseCommand("nw;#DO Nw;north;#FOO");
    EXPECT_EQ(f.host.mapCommands, (Lines{"nw", "Nw", "north"}));
    EXPECT_EQ(f.host.sent, (Lines{"nw\r\n", "Nw\r\n", "north\r\n"}));
}

TEST(CommandParser, SelfFeedingLinesStayBounded)
{
    // Each level expands again and nests one deeper: only the depth guard ends it.
    Fixture f;
    f.state.aliases = {{"a", "#IF 1 then a"}};
    f.parser.ParseCommand("a");
    EXPECT_TRUE(f.host.sent.empty());

    // Each level fans out into several nested lines; the text budget ends it.
    Fixture g;
    g.state.aliases = {{"a", "#IF 1 then a;;a;;say"}};
    g.parser.ParseCommand("a");
    EXPECT_FALSE(g.host.sent.empty());
    EXPECT_LT(g.host.sent.size(), CommandParser::MaxNestedText);

    // A deep but finite chain still runs.
    std::string line = "say deep";
    for (int i = 0; i < 20; ++i)
        line = "#IF 1 then " + line;
    EXPECT_EQ(sentBy(line), Lines{"say deep\r\n"});
}

TEST(DelayQueue, FiresActiveTriggersByKeywordOnTheLastTick)
{
    Fixture f;
    f.state.triggers = {
        {"foo", "say one", "100000"},
        {"foo", "say off", "000000"},
        {"foo", "", "100000"},
        {"Foo", "say case", "100000"},
        {"foo", "say two", "101501"},
        {"bar", "say bar", "100000"},
    };
    f.parser.ParseCommand("#DELAY 3 foo;#DELAY 1 bar");
    f.parser.AdvanceDelayQueue();
    EXPECT_EQ(f.host.sent, Lines{"say bar\r\n"});
    f.parser.AdvanceDelayQueue();
    EXPECT_EQ(f.host.sent.size(), 1u);
    f.parser.AdvanceDelayQueue();
    EXPECT_EQ(f.host.events, (Lines{"send:say bar\r\n", "term:say bar\r\n", "send:say one\r\n",
                                    "term:say one\r\n", "send:say two\r\n", "term:say two\r\n"}));
    EXPECT_TRUE(f.state.delays.empty());

    f.host.events.clear();
    f.state.echo = EchoMode::Enter;
    f.parser.FireKeyword("bar");
    f.state.echo = EchoMode::None;
    f.parser.FireKeyword("bar");
    f.parser.FireKeyword("nothing");
    EXPECT_EQ(f.host.events, (Lines{"send:say bar\r\n", "term:\r\n", "send:say bar\r\n", "term:"}));
}

// A #DELAY 1 given by a firing waits a whole tick even when it lands behind entries the walk
// has still to visit ("later" here); reached in the same walk it would fire at once.
TEST(DelayQueue, DelaysAddedWhileFiringWaitForTheNextTick)
{
    Fixture f;
    f.state.triggers = {{"again", "say again;#DELAY 1 again", "100000"}};
    f.parser.ParseCommand("#DELAY 1 again;#DELAY 5 later");
    f.parser.AdvanceDelayQueue();
    EXPECT_EQ(f.host.sent, Lines{"say again\r\n"});
    ASSERT_EQ(f.state.delays.size(), 2u);
    EXPECT_EQ(f.state.delays.entries()[0].countdown, 4);
    EXPECT_EQ(f.state.delays.entries()[1].countdown, 1);
    f.parser.AdvanceDelayQueue();
    EXPECT_EQ(f.host.sent.size(), 2u);
}

} // namespace
} // namespace tw
