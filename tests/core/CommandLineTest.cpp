#include "core/PastedText.h"
#include "core/Session.h"
#include "support/FakeSocketPort.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace tw {
namespace {

struct FakeBox : CommandBox {
    std::string content;
    bool allSelected = false, caretAtEnd = false;
    std::string text() const override { return content; }
    void setText(const std::string& t) override
    {
        content = t;
        allSelected = caretAtEnd = false;
    }
    void selectAll() override { allSelected = true; }
    void caretToEnd() override
    {
        caretAtEnd = true;
        allSelected = false;
    }
    void insert(const std::string& t) override
    {
        content = allSelected ? t : content + t;
        allSelected = false;
    }
};

struct CommandLine : ::testing::Test {
    test::RecordingHost host;
    test::FakeSocketPort socket;
    Session session{host, socket};
    FakeBox box;
    const std::string& shown = session.terminal.ScrollbackBuffer();

    CommandLine()
    {
        session.terminal.setColumnCount(80);
        session.terminal.setRowCount(10);
    }
    void type(const std::string& text)
    {
        box.setText(text);
        session.ProcessCommand(box);
    }
    void key(int vk, KeyModifiers mods = {}) { session.ProcessCmdKey(box, vk, mods); }
};

TEST_F(CommandLine, SubmissionEchoesAndSends)
{
    type("look");
    EXPECT_EQ(shown, "look\r\n");
    EXPECT_EQ(host.sent, "look\r\n");
    session.setup.EchoCommand = false;
    session.setup.EchoEnter = true;
    type("n");
    EXPECT_EQ(shown, "look\r\n\r\n");
    session.setup.EchoEnter = false;
    session.setup.EchoNone = true;
    type("s");
    EXPECT_EQ(shown, "look\r\n\r\n");
    EXPECT_EQ(host.sent, "look\r\nn\r\ns\r\n");
}

TEST_F(CommandLine, EmptySubmissionSendsOnlyALineEnd)
{
    type("a");
    host.sent.clear();
    type("");
    EXPECT_EQ(host.sent, "\r\n");
    EXPECT_EQ(shown, "a\r\n\r\n");
    EXPECT_EQ(session.history.entries(), std::vector<std::string>{"a"});
}

TEST_F(CommandLine, QuitInAnyCaseDisarmsReconnection)
{
    const std::pair<const char*, bool> cases[] = {
        {"QUIT", false}, {"quit", false}, {"QuIt", false}, {"quit now", true}, {" quit", true}};
    for (const auto& [line, staysArmed] : cases) {
        session.connection.ReconnectArmed = true;
        type(line);
        EXPECT_EQ(session.connection.ReconnectArmed, staysArmed) << line;
    }
    EXPECT_NE(host.sent.find("QuIt\r\n"), std::string::npos); // still sent
}

TEST_F(CommandLine, HotkeysReplaceOrAppendAndSubmitOrWait)
{
    session.hotkeys[4] = {"kill orc", false, true}; // F5: Add set, Enter clear
    box.setText("say ");
    key(vk::F1 + 4);
    EXPECT_EQ(box.content, "say kill orc");
    EXPECT_TRUE(box.caretAtEnd);
    EXPECT_EQ(host.sent, "");

    session.hotkeys[0] = {"kill orc", true, false};
    box.setText("typed");
    key(vk::F1);
    EXPECT_EQ(box.content, "kill orc");
    EXPECT_TRUE(box.allSelected);
    EXPECT_EQ(host.sent, "kill orc\r\n");

    session.hotkeys[12] = {"flee", true, false};
    key(vk::F1, {true, false, false}); // Shift+F1 is entry 12
    EXPECT_EQ(host.sent, "kill orc\r\nflee\r\n");
    key(vk::F1, {false, true, false}); // Ctrl+F1 is entry 0
    EXPECT_EQ(host.sent, "kill orc\r\nflee\r\nkill orc\r\n");

    session.hotkeys[23] = {"rest", true, false};
    key(vk::F12, {true, false, false}); // Shift+F12 is the last entry
    EXPECT_EQ(host.sent, "kill orc\r\nflee\r\nkill orc\r\nrest\r\n");
}

TEST_F(CommandLine, WithoutOptionsEveryFunctionKeyDoesNothing)
{
    for (int k = vk::F1; k <= vk::F12; ++k) {
        key(k);
        key(k, {true, false, false});
    }
    EXPECT_EQ(host.sent, "");
    EXPECT_EQ(box.content, "");
}

TEST_F(CommandLine, KeypadSendsItsCommandsOnlyWhileEnabled)
{
    box.setText("5");
    key(vk::Numpad0 + 5);
    EXPECT_EQ(host.sent, "exits\r\n");
    key(vk::Decimal);
    key(vk::Numpad0);
    key(vk::Numpad9);
    EXPECT_EQ(host.sent, "exits\r\nhide\r\nl\r\nu\r\n");
    session.KeypadEnabled = false;
    box.setText("8");
    key(vk::Numpad0 + 8);
    EXPECT_EQ(box.content, "8");
    EXPECT_EQ(host.sent, "exits\r\nhide\r\nl\r\nu\r\n");
}

TEST_F(CommandLine, HistoryKeysWalkTheHistory)
{
    type("a");
    type("b");
    type("c");
    key(vk::Up);
    EXPECT_EQ(box.content, "b");
    EXPECT_TRUE(box.allSelected);
    key(vk::Down);
    key(vk::Down);
    EXPECT_EQ(box.content, "");
    key(vk::Down);
    EXPECT_EQ(box.content, "");
    key(vk::Up);
    EXPECT_EQ(box.content, "c");
}

TEST_F(CommandLine, LoggingAndAutomapKeys)
{
    key(vk::KeyL, {false, true, false});
    EXPECT_EQ(host.lastStatus(), "No log file defined");
    EXPECT_FALSE(session.LoggingOn);
    session.LogFileName = "game.log";
    key(vk::KeyL, {false, true, false});
    EXPECT_EQ(host.lastStatus(), "Logging toggled ON");
    key(vk::KeyL, {false, true, false});
    EXPECT_EQ(host.lastStatus(), "Logging toggled OFF");
    key(vk::KeyL);
    EXPECT_EQ(host.lastStatus(), "Logging toggled OFF");
    key(vk::KeyA, {false, true, false});
    EXPECT_EQ(host.lastStatus(), "AutoMap activated!");
    EXPECT_TRUE(session.map.active);
    key(vk::KeyA, {false, true, false});
    EXPECT_EQ(host.lastStatus(), "AutoMap deactivated.");
    EXPECT_FALSE(session.map.active);
}

TEST_F(CommandLine, TheIndicatorShowsWhichSwitchesAreOn)
{
    const struct {
        bool map, log;
        const char* shown;
    } cases[] = {{false, false, ""}, {true, false, "MAP"}, {false, true, "LOG"}, {true, true, "MAP LOG"}};
    for (const auto& c : cases) {
        session.map.active = c.map;
        session.LoggingOn = c.log;
        EXPECT_EQ(session.switchIndicator(), c.shown);
    }
}

// The parser reports typed commands to the automapper and the pipeline hands it the reply.
TEST_F(CommandLine, TheAutomapperFollowsTypedMovesOnlyWhileOn)
{
    type("n");
    session.MudSockRead("Hall\n\r");
    EXPECT_EQ(session.map.position(), (Cell{15, 15, 5}));
    key(vk::KeyA, {false, true, false});
    type("alias;n");
    session.MudSockRead("Hall\n\rA long hall.");
    EXPECT_EQ(session.map.position(), (Cell{15, 14, 5}));
    EXPECT_EQ(session.map.room(15, 14, 5)->title.str(), "Hall");
}

// The map window hears of every block that changed the map, and of no other.
TEST_F(CommandLine, TrackedChangesAreAnnounced)
{
    int announced = 0;
    session.mapTracked = [&] { ++announced; };
    session.map.active = true;
    const struct {
        const char* command;
        const char* reply;
        int announced;
    } steps[] = {
        {"n", "Hall", 0},  {"", "\r\n", 1},  {"n", "Alas, you cannot go that way.\r\n", 1},
        {"look", "Hall\r\n", 1}, {"u", "Attic\r\n", 2},
    };
    for (const auto& s : steps) {
        if (*s.command)
            type(s.command);
        session.MudSockRead(s.reply);
        EXPECT_EQ(announced, s.announced) << s.command << s.reply;
    }
    // A full map: the automapper gives up, and the window shows it off.
    session.map.MapLevel = 10;
    session.map.InitRoom(1, 1, 1);
    type("u");
    session.MudSockRead("Roof\r\n");
    EXPECT_FALSE(session.map.active);
    EXPECT_EQ(announced, 3);
}

TEST(PastedText, CutsAtEveryKindOfLineEnd)
{
    using Lines = std::vector<std::string>;
    const struct {
        const char* text;
        Lines lines;
        const char* rest;
    } cases[] = {
        {"look", {}, "look"},
        {"s\nlook\r\n", {"s", "look"}, ""},
        {"a\r\rb", {"a", ""}, "b"},
        {"a\n\r b", {"a", ""}, " b"}, // LF CR is two line ends
        {"\n", {""}, ""},
        {"", {}, ""},
    };
    for (const auto& c : cases) {
        const PastedText p = PastedText::split(c.text);
        EXPECT_EQ(p.lines, c.lines) << c.text;
        EXPECT_EQ(p.rest, c.rest) << c.text;
    }
}

TEST_F(CommandLine, EachPastedLineIsEnteredAsIfTyped)
{
    key(vk::KeyA, {false, true, false});
    box.setText("say ");
    box.caretToEnd();
    session.PasteIntoCommandLine(box, "hi");
    EXPECT_EQ(box.content, "say hi");
    EXPECT_EQ(host.sent, "");

    session.PasteIntoCommandLine(box, " there\nlook\r\nn\nno");
    EXPECT_EQ(host.sent, "say hi there\r\nlook\r\nn\r\n");
    EXPECT_EQ(shown, "say hi there\r\nlook\r\nn\r\n");
    EXPECT_EQ(session.history.entries(), (std::vector<std::string>{"say hi there", "look", "n"}));
    EXPECT_EQ(box.content, "no"); // typed, not yet entered
    EXPECT_TRUE(host.boxes.empty());
    session.MudSockRead("Hall\n\r");
    EXPECT_EQ(session.map.position(), (Cell{15, 14, 5}));
}

TEST_F(CommandLine, MoreThanTenPastedLinesAskFirst)
{
    const struct {
        int lines;
        std::optional<MsgAnswer> answer; // none: no question
        bool sent;
    } cases[] = {{10, std::nullopt, true}, {11, MsgAnswer::No, false}, {37, MsgAnswer::Yes, true}};
    for (const auto& c : cases) {
        host.sent.clear();
        host.boxes.clear();
        box.setText("kept");
        box.selectAll(); // replaced by the paste
        if (c.answer)
            host.answers.push_back(*c.answer);
        std::string text;
        for (int i = 0; i < c.lines; ++i)
            text += "x\n";
        session.PasteIntoCommandLine(box, text);
        ASSERT_EQ(host.boxes.size(), c.answer ? 1u : 0u) << c.lines;
        if (c.answer) {
            EXPECT_EQ(host.boxes[0].text, "Send " + std::to_string(c.lines) + " lines to the game?");
            EXPECT_EQ(host.boxes[0].buttons, MsgButtons::YesNo);
        }
        EXPECT_EQ(host.sent.size(), c.sent ? 3u * c.lines : 0u) << c.lines;
        EXPECT_EQ(box.content, c.sent ? "x" : "kept") << c.lines;
    }
}

// A speedwalk sends one step per reply while the automapper follows, all at once without it.
TEST_F(CommandLine, SpeedwalkStepsAlongAsTheAutomapperFollows)
{
    MapModel& map = session.map;
    map.CreateMap(15, 14, 5, 0);
    map.CreateMap(15, 13, 5, 0);
    map.CreateMap(16, 13, 5, 0);
    session.speedwalkTo({20, 20, 5});
    EXPECT_EQ(host.lastStatus(), "No known way there.");
    session.speedwalkTo({16, 13, 5});
    EXPECT_EQ(host.sent, "n\r\nn\r\ne\r\n");
    EXPECT_EQ(shown, "n\r\nn\r\ne\r\n");

    host.sent.clear();
    map.active = true;
    session.triggers().push_back({"Road", "look", "100000"}); // a trigger's command goes along
    session.speedwalkTo({16, 13, 5});
    EXPECT_EQ(host.sent, "n\r\n");
    session.MudSockRead("Road");
    EXPECT_EQ(host.sent, "n\r\nlook\r\n"); // the reply's first line is not complete yet
    session.MudSockRead("\r\n> ");
    session.walkQuiet();
    EXPECT_EQ(host.sent, "n\r\nlook\r\nn\r\n");
    EXPECT_TRUE(shown.ends_with("\r\n> n\r\n")) << shown; // the step's echo follows the block
    session.MudSockRead("Alas, you cannot go that way.\r\n");
    session.MudSockRead("Square\r\n");
    EXPECT_EQ(host.sent, "n\r\nlook\r\nn\r\n"); // a refused step ends the walk
    EXPECT_FALSE(session.walk.walking());
    EXPECT_EQ(map.position(), (Cell{15, 14, 5}));

    // A command of the player's own ends it too.
    host.sent.clear();
    session.speedwalkTo({16, 13, 5});
    type("look");
    session.MudSockRead("Square\r\n");
    EXPECT_EQ(host.sent, "n\r\nlook\r\n");

    // The steps are echoed as the settings say.
    map.active = false;
    session.setup.EchoCommand = false;
    session.setup.EchoEnter = true;
    session.speedwalkTo({16, 13, 5});
    EXPECT_TRUE(host.sent.ends_with("look\r\ne\r\n")) << host.sent;
    EXPECT_TRUE(shown.ends_with("Square\r\n\r\n")) << shown; // a bare line end, no command
}

// The next step goes when the reply to the last one is complete, so that the rest of a reply
// that comes in pieces never names the next room: at a prompt end when the game marks its
// prompts, else when the reply has gone quiet.
TEST_F(CommandLine, SpeedwalkStepsWhenTheReplyIsComplete)
{
    struct Read {
        std::string bytes; // empty: the quiet moment passes
        std::string sent;  // the steps sent so far
    };
    const std::string GA = "\xff\xf9";
    struct Walk {
        bool marksPrompts;
        std::vector<Read> reads;
        std::set<int> quiet; // the quiet moments asked for
    };
    const Walk walks[] = {
        {false, {{"Road", "n\r\n"}, {"\r\nA plain ", "n\r\n"}, {"road.\r\n", "n\r\n"}, {"> ", "n\r\n"},
                 {"", "n\r\nn\r\n"}, {"Square\r\nA square.\r\n> ", "n\r\nn\r\n"}, {"", "n\r\nn\r\ne\r\n"},
                 {"Corner\r\n", "n\r\nn\r\ne\r\n"}, {"", "n\r\nn\r\ne\r\n"}}, {250}},
        // The second reply lacks its mark: the longer quiet moment ends it.
        {true, {{"Road\r\n", "n\r\n"}, {"A plain road.\r\n> ", "n\r\n"}, {GA, "n\r\nn\r\n"},
                {"Square\r\nA square.\r\n> ", "n\r\nn\r\n"}, {"", "n\r\nn\r\ne\r\n"},
                {"Corner\r\n> " + GA, "n\r\nn\r\ne\r\n"}}, {1000}},
        // Replies that end with their mark in the same read step on at once.
        {true, {{"Road\r\nA plain road.\r\n> " + GA, "n\r\nn\r\n"}, {"Square\r\n> " + GA, "n\r\nn\r\ne\r\n"},
                {"Corner\r\n> " + GA, "n\r\nn\r\ne\r\n"}}, {}},
    };
    for (const Walk& w : walks) {
        SCOPED_TRACE(w.marksPrompts);
        test::RecordingHost h;
        test::FakeSocketPort port;
        Session s{h, port};
        std::set<int> quietWanted;
        s.walkQuietWanted = [&](int ms) { quietWanted.insert(ms); };
        if (w.marksPrompts) {
            s.setModern(true);
            s.socketRead("Welcome.\r\n> " + GA);
        }
        MapModel& map = s.map;
        map.CreateMap(15, 14, 5, 0);
        map.CreateMap(15, 13, 5, 0);
        map.CreateMap(16, 13, 5, 0);
        map.active = true;
        s.speedwalkTo({16, 13, 5});
        for (const Read& r : w.reads) {
            if (r.bytes.empty())
                s.walkQuiet();
            else
                s.socketRead(r.bytes);
            EXPECT_EQ(h.sent, r.sent) << r.bytes;
        }
        EXPECT_EQ(map.room(15, 14, 5)->title.str(), "Road");
        EXPECT_EQ(map.room(15, 13, 5)->title.str(), "Square");
        EXPECT_EQ(map.room(16, 13, 5)->title.str(), "Corner");
        EXPECT_EQ(quietWanted, w.quiet);
    }
}

TEST_F(CommandLine, ScrollKeysOnlyWhereTheyApply)
{
    Terminal& t = session.terminal;
    for (int i = 0; i < 100; ++i)
        t.WriteTerminal("line\r");
    key(vk::End); // following the end: nothing
    key(vk::Home);
    EXPECT_EQ(t.TopLine(), 0);
    key(vk::PageUp);
    EXPECT_NE(t.TopLine(), 0);
    key(vk::Home);
    EXPECT_EQ(t.TopLine(), 1);
    EXPECT_TRUE(box.allSelected);
    key(vk::End);
    EXPECT_EQ(t.TopLine(), 0);
    t.setMirrorOn(false);
    key(vk::PageUp); // only in the colour view
    EXPECT_EQ(t.TopLine(), 0);
}

TEST_F(CommandLine, LoadedOptionsReplaceEveryTableAndTextLeftUnsentDiesWithItsConnection)
{
    OptionsData data;
    data.setup.CommandsRetained = 7;
    data.muds = {{"Here", "127.0.0.1", "4000"}};
    data.hotkeys[3].text = "look";
    data.keypad[8] = "north";
    data.aliases = {{"k", "kill orc"}};
    data.triggers = {{"You are hungry.", "eat"}};
    data.palette.colors[1] = rgb(1, 2, 3);
    session.takeOptions(data);
    EXPECT_EQ(session.optionsData(), data);

    // What the game did not take belongs to that connection, not to the next one.
    host.acceptLimit = 2;
    type("look");
    ASSERT_TRUE(session.send.PendingOutput);
    session.connection.SockDisconnect();
    EXPECT_FALSE(session.send.PendingOutput);
    EXPECT_EQ(host.sent, "lo");
}

} // namespace
} // namespace tw
