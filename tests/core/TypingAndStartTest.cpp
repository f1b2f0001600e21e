// Tab completion from the received words, and the options the program starts with.
#include "core/StartOptions.h"
#include "core/TabCompletion.h"
#include "core/Terminal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

TEST(TabCompletion, NewestWordsFirstEachOnceAndCycling)
{
    Terminal t;
    t.setColumnCount(40);
    t.WriteTerminal("Gandalf greets you. gandalf\r\n\x1b[1;33mGalanor\x1b[0m, garden-gate and Ga\r\n");
    using V = std::vector<std::string>;
    EXPECT_EQ(TabCompletion::candidates(t.model(), "ga"), (V{"garden-gate", "Galanor", "gandalf", "Gandalf"}));
    EXPECT_EQ(TabCompletion::candidates(t.model(), "GAN"), (V{"gandalf", "Gandalf"}));
    EXPECT_EQ(TabCompletion::candidates(t.model(), "gandalf"), V{});
    EXPECT_EQ(TabCompletion::candidates(t.model(), ""), V{});

    TabCompletion tab;
    using E = TabCompletion::Edit;
    const E typed{"tell gan hi", 8};
    E line = tab.complete(t.model(), typed);
    EXPECT_EQ(line, (E{"tell gandalf hi", 12}));
    line = tab.complete(t.model(), line);
    EXPECT_EQ(line, (E{"tell Gandalf hi", 12}));
    line = tab.complete(t.model(), line);
    EXPECT_EQ(line, typed) << "after the oldest, the typed beginning";
    line = tab.complete(t.model(), line, false);
    EXPECT_EQ(line, (E{"tell Gandalf hi", 12})) << "Shift+Tab goes back";
    // Anything typed in between starts afresh from the word before the caret.
    EXPECT_EQ(tab.complete(t.model(), {"say Gal", 7}), (E{"say Galanor", 11}));
    EXPECT_EQ(tab.complete(t.model(), {"say xyz", 7}), (E{"say xyz", 7}));
    // A Tab that found nothing ends the cycle: the old completion typed again is a new start.
    EXPECT_EQ(tab.complete(t.model(), {"say Galanor", 11}), (E{"say Galanor", 11}));
    EXPECT_EQ(tab.complete(t.model(), {"say ", 4}), (E{"say ", 4}));
    EXPECT_EQ(tab.complete(t.model(), {"gan", 3}), (E{"gandalf", 7})) << "at the line's start";

    // Never past what the command line holds.
    const std::string full(245, 'x');
    EXPECT_EQ(tab.complete(t.model(), {full + " gar", 249}), (E{full + " gar", 249}));
    EXPECT_EQ(tab.complete(t.model(), {full + " gan", 249}).text, full + " gandalf");
}

TEST(TabCompletion, OnlyTheLastLinesCount)
{
    // The word on line 1, and the last line (empty) LinesSearched lines below it or one less.
    for (const int fillers : {TabCompletion::LinesSearched - 1, TabCompletion::LinesSearched - 2}) {
        Terminal t;
        std::string text = "ancientword\r\n";
        for (int i = 0; i < fillers; ++i)
            text += "filler\r\n";
        t.WriteTerminal(text);
        EXPECT_EQ(TabCompletion::candidates(t.model(), "anc").size(),
                  fillers == TabCompletion::LinesSearched - 2 ? 1u : 0u) << fillers;
    }
}

TEST(StartOptions, ConnectAndWhatIsRefused)
{
    struct Row {
        std::vector<std::string> args;
        std::optional<GameAddress> connect;
        const char* error; // the first line of the message, empty when the start goes on
    } rows[] = {
        {{}, std::nullopt, ""},
        {{"--connect", "127.0.0.1:4000"}, GameAddress{"127.0.0.1", 4000}, ""},
        {{"--connect=mud.example.org:23"}, GameAddress{"mud.example.org", 23}, ""},
        {{"--connect", "[::1]:4000"}, GameAddress{"::1", 4000}, ""},
        {{"--connect", "[::1]4000"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", "[::1]"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", "h:9"}, GameAddress{"h", 9}, ""},
        {{"--connect", "a:1", "--connect", "b:2"}, GameAddress{"b", 2}, ""},
        {{"--connect"}, std::nullopt, "tarnwick: --connect needs a value"},
        {{"--connect", "host"}, std::nullopt, "tarnwick: --connect needs HOST:PORT with a port from 1 to 65535, not 'host'"},
        {{"--connect", "host:0"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", "host:65536"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", "host:65535"}, GameAddress{"host", 65535}, ""},
        {{"--connect", "host:99999999999999999999"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", ":4000"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", "a b:4000"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", "::1:4000"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", "host:4x"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", "tls://mud.example.org:4443"}, GameAddress{"tls://mud.example.org", 4443}, ""},
        {{"--connect", "TLS://[::1]:4443"}, GameAddress{"tls://::1", 4443}, ""},
        {{"--connect", "tls://:4443"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--connect", "tls://tls://h:1"}, std::nullopt, "tarnwick: --connect needs HOST:PORT"},
        {{"--frobnicate"}, std::nullopt, "tarnwick: unknown option '--frobnicate'"},
        {{"-x"}, std::nullopt, "tarnwick: unknown option '-x'"},
        {{"--frob=1"}, std::nullopt, "tarnwick: unknown option '--frob'"},
        {{"a.cfg", "b.cfg"}, std::nullopt, "tarnwick: unexpected argument 'b.cfg'"},
        {{""}, std::nullopt, "tarnwick: unexpected argument ''"},
        {{"--help=1"}, std::nullopt, "tarnwick: --help takes no value"},
        {{"-v"}, std::nullopt, "tarnwick: unknown option '-v'"},
        {{"-foo", "game.cfg"}, std::nullopt, "tarnwick: unknown option '-foo'"},
        {{"--platform", "xcb"}, std::nullopt, "tarnwick: unknown option '--platform'"},
        {{"-platform"}, std::nullopt, "tarnwick: -platform needs a value"},
        {{"-reverse=1"}, std::nullopt, "tarnwick: -reverse takes no value"},
        {{"--practice", "--connect", "h:1"}, GameAddress{"h", 1}, "tarnwick: --practice connects"},
    };
    for (const Row& r : rows) {
        const StartOptions o = StartOptions::parse(r.args);
        const std::string context = r.args.empty() ? "(none)" : r.args.back();
        EXPECT_EQ(o.connect, r.connect) << context;
        EXPECT_EQ(o.ok(), std::string(r.error).empty()) << context;
        if (!o.ok()) {
            EXPECT_EQ(o.error.rfind(r.error, 0), 0u) << o.error;
            EXPECT_NE(o.error.find(StartOptions::Usage), std::string::npos);
        }
    }
    EXPECT_EQ(StartOptions::UsageExitCode, 2);
}

TEST(StartOptions, HelpVersionAndTheOptionsFile)
{
    struct Row {
        std::vector<std::string> args;
        bool help, version;
        const char* file;
    } rows[] = {
        {{"--help"}, true, false, ""},
        {{"-h"}, true, false, ""},
        {{"--version"}, false, true, ""},
        {{"game.cfg"}, false, false, "game.cfg"},
        {{"--connect", "h:1", "dir/my game.cfg"}, false, false, "dir/my game.cfg"},
        {{"--", "--odd.cfg"}, false, false, "--odd.cfg"},
        {{"-"}, false, false, "-"},
    };
    for (const Row& r : rows) {
        const StartOptions o = StartOptions::parse(r.args);
        EXPECT_TRUE(o.ok()) << o.error;
        EXPECT_EQ(o.help, r.help) << r.args.back();
        EXPECT_EQ(o.version, r.version) << r.args.back();
        EXPECT_EQ(o.printsOnly(), r.help || r.version) << r.args.back();
        EXPECT_EQ(o.optionsFile, r.file);
    }
    EXPECT_EQ(StartOptions::helpText().rfind(StartOptions::Usage, 0), 0u);
    EXPECT_EQ(StartOptions::versionText(), "Tarnwick 5.0");
}

// Qt gets its own options, with their values, and never the program's; "--" ends them all.
TEST(StartOptions, QtOptionsAreHandedOnAndNothingElse)
{
    using Args = std::vector<std::string>;
    struct Row {
        Args args;
        Args toolkit;
        const char* file;
        bool practice;
    } rows[] = {
        {{"-platform", "offscreen"}, {"-platform", "offscreen"}, "", false},
        {{"-style=fusion", "game.cfg"}, {"-style", "fusion"}, "game.cfg", false},
        {{"-platform=xcb:nograb=1"}, {"-platform", "xcb:nograb=1"}, "", false},
        {{"-display", ":1", "-reverse", "--practice"}, {"-display", ":1", "-reverse"}, "", true},
        {{"--connect", "h:1", "-geometry", "800x600+0+0"}, {"-geometry", "800x600+0+0"}, "", false},
        {{"--", "-platform"}, {}, "-platform", false},
        {{"-session", "abc", "--", "-v"}, {"-session", "abc"}, "-v", false},
        {{"--"}, {}, "", false},
    };
    for (const Row& r : rows) {
        const StartOptions o = StartOptions::parse(r.args);
        EXPECT_TRUE(o.ok()) << o.error;
        EXPECT_EQ(o.toolkitArgs, r.toolkit) << r.args.front();
        EXPECT_EQ(o.optionsFile, r.file) << r.args.front();
        EXPECT_EQ(o.practice, r.practice) << r.args.front();
    }
}

} // namespace
} // namespace tw
