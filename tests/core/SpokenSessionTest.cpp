// What the session gives speech and screen readers: the game's text and the notices, not the
// player's echo; a typed command silences what waits; hidden input is told.
#include "core/Session.h"
#include "support/FakeSocketPort.h"
#include "support/RecordingHost.h"
#include "support/RecordingSpeech.h"
#include "support/TextBox.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

struct Spoken : ::testing::Test {
    test::RecordingHost host;
    test::FakeSocketPort socket;
    Session session{host, socket};
    test::RecordingSpeech engine;
    test::TextBox box;

    Spoken()
    {
        session.terminal.setColumnCount(80);
        session.terminal.setRowCount(24);
        session.speech.setEngine(&engine);
        session.setSpeaking(true);
        socket.isConnected = true;
    }
    void type(const std::string& line)
    {
        box.content = line;
        session.ProcessCommand(box);
    }
    void finish()
    {
        while (session.speech.speaking())
            session.speech.finished();
    }
};

TEST_F(Spoken, TheGamesTextIsSpokenAsReadAndTheEchoIsNot)
{
    session.triggers().push_back({"goblin", "kill goblin", "101501"});
    session.MudSockRead("\x1b[1;32mA goblin\x1b[0m is here.\r\nHP: 20> ");
    finish();
    EXPECT_EQ(engine.said, std::vector<std::string>{"A goblin is here.\nHP: 20> "});
    // The terminal shows the highlight and the trigger's echo; readers are told all of it.
    EXPECT_EQ(host.terminalAdded, session.terminal.ScrollbackBuffer());
    EXPECT_NE(host.terminalAdded.find("kill goblin"), std::string::npos);
    // A sequence split between reads is read whole.
    session.MudSockRead("\x1b[1;3");
    session.MudSockRead("1mRed\r");
    session.MudSockRead("\ndone\r\n");
    finish();
    EXPECT_EQ(engine.said.back(), "done");
    EXPECT_EQ(engine.said[engine.said.size() - 2], "Red");
}

TEST_F(Spoken, TypingACommandSilencesWhatWaits)
{
    session.MudSockRead("first\r\n");
    session.MudSockRead("second\r\nthird\r\n");
    type("look");
    EXPECT_EQ(engine.stops, 1);
    finish();
    EXPECT_EQ(engine.said, std::vector<std::string>{"first"});
    EXPECT_EQ(host.sent, "look\r\n");
}

TEST_F(Spoken, NoticesAndHiddenInputAreTold)
{
    session.setModern(true);
    session.connection.LastMudName = "Game";
    session.connection.LastHost = "example.org";
    session.connection.LastPort = 4000;
    session.connection.SockConnect();
    session.socketRead("\xff\xfb\x01Password: ");
    finish();
    EXPECT_EQ(engine.said, (std::vector<std::string>{"Connected to Game (example.org:4000).",
                                                     std::string(HiddenInputText) + "\nPassword: "}));
    // Speech switched off and on again starts afresh: the half character before is gone and
    // its rest reads as its own glyph.
    session.setSpeaking(false);
    session.MudSockRead("\xc3");
    session.setSpeaking(true);
    session.MudSockRead("\xa9t\xc3\xa9\r\n");
    finish();
    EXPECT_EQ(engine.said.back(), "\xe2\x8c\x90t\xc3\xa9");
}

} // namespace
} // namespace tw
