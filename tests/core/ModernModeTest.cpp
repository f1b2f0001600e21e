// Modern Server Mode in the session: telnet out of the text, hidden input, compression, bare
// line feeds and notices; and with the switch off, the bytes exactly as they came.
#include "core/PlainText.h"
#include "core/Session.h"
#include "support/FakeSocketPort.h"
#include "support/RecordingHost.h"
#include "support/TextBox.h"

#include <gtest/gtest.h>
#include "support/Deflate.h"

namespace tw {
namespace {

using test::deflateAll;

using namespace std::string_literals;

struct Host : test::RecordingHost {
    std::vector<bool> hidden;
    void setInputHidden(bool h) override { hidden.push_back(h); }
};

const std::string IAC = "\xff", WILL = "\xfb", WONT = "\xfc", DO = "\xfd", SB = "\xfa", SE = "\xf0";
const std::string WillEcho = IAC + WILL + "\x01", WontEcho = IAC + WONT + "\x01";
const std::string WillGmcp = IAC + WILL + "\xc9";
std::string gmcp(const std::string& payload) { return IAC + SB + "\xc9" + payload + IAC + SE; }

struct Modern : ::testing::Test {
    Host host;
    test::FakeSocketPort socket;
    Session session{host, socket};
    test::TextBox box;
    std::vector<std::string> logged;

    Modern()
    {
        session.terminal.setColumnCount(80);
        session.terminal.setRowCount(24);
        session.LoggingOn = true;
        session.logBlock = [this](std::string_view b) { logged.emplace_back(b); };
        session.connection.LastMudName = "Game";
        session.connection.LastHost = "example.org";
        session.connection.LastPort = 4000;
        socket.isConnected = true;
    }
    void connect(bool modern)
    {
        session.setModern(modern);
        session.connection.SockConnect();
    }
    const std::string& shown() { return session.terminal.ScrollbackBuffer(); }
    std::size_t count(const std::string& text)
    {
        std::size_t n = 0;
        for (std::size_t at = 0; (at = shown().find(text, at)) != std::string::npos; ++at)
            ++n;
        return n;
    }
    void type(const std::string& line)
    {
        box.content = line;
        session.ProcessCommand(box);
    }
};

// The same session with the switch off: every byte is shown as before, and the player hears
// once per connection, in the status row only, where the switch is.
TEST_F(Modern, SwitchedOffTheBytesStayAsTheyCameAndAHintIsGivenOnce)
{
    connect(false);
    const std::string first = "Welcome\n" + IAC + WILL + "\x19" + "Name: " + IAC;
    const std::string second = WILL + "\x01" + "\n\rsecret";
    session.socketRead(first);
    session.socketRead(second);
    EXPECT_EQ(shown(), first + WILL + "\x01\r\nsecret");
    EXPECT_EQ(std::count(host.statuses.begin(), host.statuses.end(), TelnetHint), 1);
    EXPECT_EQ(host.sent, "");
    type("secret");
    EXPECT_EQ(session.history.entries(), std::vector<std::string>{"secret"});
    EXPECT_NE(shown().find("secret\r\n"), std::string::npos);
    // A byte 255 that is no negotiation gives no hint.
    connect(false);
    host.statuses.clear();
    session.socketRead("\xff\x1b[31m" + IAC + IAC + WILL);
    EXPECT_EQ(std::count(host.statuses.begin(), host.statuses.end(), TelnetHint), 0);
}

TEST_F(Modern, TelnetIsTakenOutBeforeEveryTapAndAnswered)
{
    session.connectedView = [this] { session.WriteTerminal("[view]"); };
    connect(true);
    // The window clears its plain view first; the notice follows.
    EXPECT_EQ(shown().find("[view]\r\n\x1b[c"), 0u);
    // Notices are light cyan.
    EXPECT_NE(shown().find("\x1b[1;36;40mConnected to Game (example.org:4000)."), std::string::npos);
    session.socketRead("Hello\n" + IAC + WILL + "\x19" + IAC + DO + "\x1f" + "Name: " + IAC + "\xef" + "x" + IAC);
    session.socketRead(IAC + "y\r\n");
    EXPECT_EQ(logged, (std::vector<std::string>{"Hello\r\nName: ", "x", "\xffy\r\n"}));
    EXPECT_EQ(host.sent, IAC + DO + "\x19" + IAC + WILL + "\x1f" + IAC + SB + "\x1f" + "\x00\x50\x00\x18"s + IAC + SE);
    // A resize is told to the server that asked.
    host.sent.clear();
    session.terminal.setColumnCount(132);
    session.terminalResized();
    EXPECT_EQ(host.sent, IAC + SB + "\x1f" + "\x00\x84\x00\x18"s + IAC + SE);
    // Typed text has its byte 255 doubled.
    host.sent.clear();
    type("say \xff");
    EXPECT_EQ(host.sent, "say \xff\xff\r\n");
}

TEST_F(Modern, APasswordIsNeitherEchoedNorKeptNorExpanded)
{
    session.aliases().push_back({"hunter", "kill hunter"});
    connect(true);
    type("look");
    session.socketRead("Password: " + WillEcho);
    ASSERT_TRUE(session.inputHidden());
    host.sent.clear();
    const std::string before = shown();
    type("hunter;2");
    EXPECT_EQ(host.sent, "hunter;2\r\n");
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(box.content, "");
    EXPECT_EQ(session.history.entries(), std::vector<std::string>{"look"});
    session.socketRead(WontEcho + "\r\nWelcome back.\r\n");
    EXPECT_FALSE(session.inputHidden());
    type("look");
    EXPECT_EQ(shown().find("hunter"), std::string::npos);
    // The connection's end ends hidden input too.
    session.socketRead(WillEcho);
    session.connection.SockDisconnect();
    EXPECT_FALSE(session.inputHidden());
    EXPECT_EQ(host.hidden, (std::vector<bool>{true, false, true, false}));
    EXPECT_NE(shown().find("Connection closed."), std::string::npos);
}

TEST_F(Modern, CompressedTextIsInflatedAcrossReadsAndEndsCleanly)
{
    connect(true);
    session.socketRead(IAC + WILL + "\x56");
    EXPECT_EQ(host.sent, IAC + DO + "\x56");
    const std::string stream = deflateAll("lines\nof " + IAC + IAC + " text\r\n> " + IAC + "\xf9");
    const std::string all = "before " + IAC + SB + "\x56" + IAC + SE + stream + "after\n";
    // Split anywhere, the text comes out the same.
    for (std::size_t split : {std::size_t(3), std::size_t(10), std::size_t(14), all.size() - 8}) {
        session.terminal.replaceBuffer(session.terminal.ScrollbackCapacity());
        logged.clear();
        session.socketRead(IAC + WILL + "\x56");
        session.socketRead(all.substr(0, split));
        session.socketRead(all.substr(split));
        std::string joined;
        for (const std::string& b : logged)
            joined += b;
        EXPECT_EQ(joined, "before lines\r\nof \xff text\r\n> after\r\n") << split;
    }
}

// The switch turned off while the game compresses: the rest of the stream is still inflated,
// its bytes then go on untouched, and what follows the stream's end is read as it comes.
TEST_F(Modern, ACompressedStreamOutlivesTheSwitch)
{
    connect(true);
    session.socketRead(IAC + WILL + "\x56");
    const std::string stream = deflateAll("first line\r\nsecond " + IAC + IAC + " line\r\n");
    logged.clear();
    session.socketRead("hello " + IAC + SB + "\x56" + IAC + SE + stream.substr(0, 5));
    session.setModern(false);
    session.socketRead(stream.substr(5) + "plain " + IAC + IAC + "\r\n");
    std::string joined;
    for (const std::string& b : logged)
        joined += b;
    EXPECT_EQ(joined, "hello first line\r\nsecond " + IAC + IAC + " line\r\nplain " + IAC + IAC + "\r\n");
    EXPECT_TRUE(socket.isConnected);
}

// A subnegotiation that never ends cannot swallow the game: past its limit the text shows
// again, and the player hears once per connection what happened.
TEST_F(Modern, AnUnclosedSubnegotiationIsDroppedAndSaidOnce)
{
    connect(true);
    session.socketRead("Hello " + IAC + SB + "\x18\x01");
    for (int read = 0; read < 3; ++read)
        session.socketRead(std::string(TelnetDecoder::MaxSubnegotiation, 'x'));
    session.socketRead("the end" + IAC + SB + "\x18" + IAC + "\xf1" + "!");
    EXPECT_NE(shown().find("the end!"), std::string::npos);
    const auto notices = [this] { return count(BrokenTelnetText); };
    EXPECT_EQ(notices(), 1u);
    EXPECT_EQ(std::count(host.statuses.begin(), host.statuses.end(), BrokenTelnetText), 1);
    // A new connection is told again.
    connect(true);
    session.socketRead(IAC + SB + "\x18" + IAC + "\xf1");
    EXPECT_EQ(notices(), 2u);
}

// The game's out-of-band data: the room after the text that came before it, vitals kept while
// the connection lasts, channel lines beside the text, one notice for what cannot be read.
TEST_F(Modern, GameDataReachesTheMapTheVitalsAndTheChannels)
{
    std::vector<std::string> order;
    session.automapBlock = [&](std::string_view block) { order.emplace_back(block); };
    session.automapRoom = [&](const GameRoom& room) {
        order.push_back("room " + std::to_string(room.number));
        return AutomapTracker::Outcome::Moved;
    };
    int tracked = 0;
    session.mapTracked = [&] { ++tracked; };
    connect(true);
    session.socketRead(WillGmcp + "You go north.\r\n" + gmcp(R"(Room.Info {"num":"1002","name":"Hall"})") +
                       "The Hall\r\n" + gmcp(R"(Char.Vitals {"hp":30,"maxhp":40})") +
                       gmcp(R"(COMM.CHANNEL.TEXT {"channel":"say","talker":"Tom","text":"Tom says 'hi'"})") +
                       "Tom says 'hi'\r\n" + gmcp(R"(Room.Info {"name":"no number"})"));
    EXPECT_EQ(order, (std::vector<std::string>{"You go north.\r\n", "room 1002", "The Hall\r\nTom says 'hi'\r\n"}));
    EXPECT_EQ(tracked, 1);
    EXPECT_EQ(session.vitals, (std::vector<VitalGauge>{{"HP", 30, 40}}));
    EXPECT_EQ(host.vitalsChanges, 1);
    ASSERT_EQ(session.channels.lines().size(), 1u);
    EXPECT_EQ(session.channels.lines()[0], (ChannelText{"say", "Tom", "Tom says 'hi'"}));
    EXPECT_EQ(host.channelLines, 1);
    EXPECT_EQ(count("Tom says 'hi'"), 1u); // the game's own line only
    session.socketRead(gmcp(R"(Char.Vitals {"mp":5})") + gmcp("Char.Vitals {bad") + "text" + gmcp("Room.Info ["));
    EXPECT_EQ(session.vitals, (std::vector<VitalGauge>{{"HP", 30, 40}, {"MP", 5, 0}}));
    EXPECT_EQ(count(UnreadableGameDataText), 1u);

    // The vitals go with the connection and with the switch; a new connection is told again.
    session.connection.SockDisconnect();
    EXPECT_TRUE(session.vitals.empty());
    EXPECT_EQ(host.vitalsChanges, 3);
    connect(true);
    session.socketRead(WillGmcp + gmcp(R"(Char.Vitals {"hp":1})") + gmcp("Char.Vitals {bad"));
    EXPECT_EQ(host.vitalsChanges, 4);
    EXPECT_EQ(count(UnreadableGameDataText), 2u);
    session.setModern(false);
    EXPECT_TRUE(session.vitals.empty());
    EXPECT_EQ(host.vitalsChanges, 5);
}

// With the switch off the offer and the data are the game's text, as before.
TEST_F(Modern, SwitchedOffGameDataStaysText)
{
    connect(false);
    const std::string in = WillGmcp + gmcp(R"(Char.Vitals {"hp":1})");
    session.socketRead(in);
    EXPECT_EQ(shown(), in);
    EXPECT_EQ(host.sent, "");
    EXPECT_EQ(host.vitalsChanges, 0);
}

// What inflated well before the fault is shown, then the notice.
TEST_F(Modern, ABrokenOrExplodingStreamClosesTheConnectionWithAMessage)
{
    const std::string start = IAC + WILL + "\x56" + IAC + SB + "\x56" + IAC + SE;
    const std::pair<std::string, std::string> cases[] = {
        {"\x78\x9c\xff\xff\xff garbage"s, ""},
        {test::deflateFlushed("Some text before the fault\r\n") + "\xff\xff\xff garbage", "Some text before the fault\r\n"},
        {deflateAll(std::string(40 << 20, 'a')), ""},
    };
    for (const auto& [stream, before] : cases) {
        socket.closes = 0;
        connect(true);
        session.terminal.replaceBuffer(session.terminal.ScrollbackCapacity());
        session.connection.ReconnectArmed = true;
        session.socketRead(start + stream);
        EXPECT_EQ(socket.closes, 1);
        EXPECT_FALSE(session.connection.ReconnectArmed);
        EXPECT_NE(host.lastStatus().find("compressed data"), std::string::npos) << host.lastStatus();
        EXPECT_NE(shown().find("the connection was closed."), std::string::npos);
        EXPECT_LT(shown().find(before), shown().find("the connection was closed.")) << before;
        // Whatever still arrives on that connection is dropped.
        const std::size_t size = shown().size();
        session.socketRead("more");
        EXPECT_EQ(shown().size(), size);
    }
}

// Every line end reaches the log, the plain view and the colour view as one CR LF, however
// the game writes it and wherever the reads split it.
TEST_F(Modern, EveryLineEndBecomesOneCrLf)
{
    struct Case {
        std::vector<std::string> reads;
        std::string logged;
    } cases[] = {
        {{"Line A\r\n\r\nLine B"}, "Line A\r\n\r\nLine B"},
        {{"a\nb\r\nc\n\rd\re\n"}, "a\r\nb\r\nc\r\nd\r\ne\r\n"},
        {{"a\n", "\rb\r", "\nc\r", "\rd"}, "a\r\nb\r\nc\r\n\r\nd"},
        {{"a\n\r\n\n\r\r"}, "a\r\n\r\n\r\n\r\n"},
        {{"a\r\0\nb\0c"s}, "a\r\nbc"},
    };
    for (const Case& c : cases) {
        connect(true);
        session.terminal.replaceBuffer(session.terminal.ScrollbackCapacity());
        logged.clear();
        for (const std::string& r : c.reads)
            session.socketRead(r);
        std::string joined;
        for (const std::string& b : logged)
            joined += b;
        EXPECT_EQ(joined, c.logged);
        EXPECT_EQ(shown(), c.logged);
        // The colour view has as many lines as the plain text.
        const std::string plain = plainText(shown());
        EXPECT_EQ(session.terminal.model().LineCount(), 1 + std::count(plain.begin(), plain.end(), '\n')) << plain;
    }
}

TEST_F(Modern, AFailedAttemptSaysWhenTheNextOneComes)
{
    session.setModern(true);
    session.connection.ReconnectArmed = true;
    session.connection.ConnectCountdown = 10;
    socket.isConnected = false;
    socket.error = "Connection refused";
    session.connection.SockConnect();
    EXPECT_NE(shown().find("Reconnecting in 10 s..."), std::string::npos);
    EXPECT_EQ(shown().find("Connection closed"), std::string::npos); // it never opened

    // A connection lost twice in a row: the second reconnection waits for the pace.
    session.terminal.replaceBuffer(session.terminal.ScrollbackCapacity());
    socket.isConnected = true;
    socket.error.clear();
    for (int loss = 0; loss < 2; ++loss) {
        session.connection.SockConnect();
        session.connection.SockDisconnect();
    }
    const std::size_t wait = shown().find("Reconnecting in 10 s...");
    ASSERT_NE(wait, std::string::npos);
    EXPECT_EQ(shown().find("Reconnecting", wait + 1), std::string::npos); // the first retry is at once
    EXPECT_LT(shown().rfind("Connection closed.", wait), wait);

    // The session's tick is the life cycle's: an attempt that did not connect is given up.
    socket.isConnected = false;
    session.connection.ConnectAttempted = true;
    session.connection.ConnectCountdown = 1;
    session.tick();
    EXPECT_EQ(host.lastStatus(), "Not connected.");
}

// Switching in the middle of a session keeps what is on screen: the scrollback is rewritten for
// the new mode's reading, and only once.
TEST_F(Modern, SwitchingKeepsWhatIsOnScreen)
{
    connect(true);
    session.terminal.replaceBuffer(session.terminal.ScrollbackCapacity());
    session.socketRead("caf\xc3\xa9 \x1b[38;5;196mred\r\n");
    session.setModern(false);
    EXPECT_EQ(shown(), "caf\x82 \x1b[0;1;31;40mred\r\n");
    session.setModern(false);
    session.socketRead("\xb0\n\r");
    EXPECT_EQ(shown(), "caf\x82 \x1b[0;1;31;40mred\r\n\xb0\r\n");
    session.setModern(true);
    EXPECT_EQ(shown(), "caf\xc3\xa9 \x1b[0;1;31;40mred\r\n\xe2\x96\x91\r\n");
}

// The player's commands, typed or fired, are drawn in a colour of their own.
TEST_F(Modern, TheCommandEchoHasAColourOfItsOwn)
{
    session.triggers().push_back(TriggerEntry{"ping", "pong"});
    for (const bool modern : {false, true}) {
        session.setModern(modern);
        session.terminal.replaceBuffer(16000);
        type("look");
        session.MudSockRead("ping\r\n");
        EXPECT_EQ(shown(), modern ? "\x1b[c\x1b[1;33;40mlook\x1b[d\r\nping\r\n\x1b[c\x1b[1;33;40mpong\x1b[d\r\n"
                                  : "look\r\nping\r\npong\r\n");
    }
}

} // namespace
} // namespace tw
