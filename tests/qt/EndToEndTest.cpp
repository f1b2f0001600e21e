// The real main window against the practice world on a free port of 127.0.0.1.
#include "core/qt/CommandLineEdit.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "TestMainForm.h"

#include "PracticeWorldStart.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct EndToEnd : ::testing::Test {
    std::unique_ptr<practice::PracticeServer> world;
    std::unique_ptr<TMainForm> form;
    QTemporaryDir dir;
    std::vector<std::string> boxes;
    std::size_t mark = 0; // where the text after the last command starts

    void SetUp() override
    {
        test::startPracticeWorld(world);
        if (!world)
            return;
        form = test::testMainForm(dir, boxes);
        form->resize(1100, 700);
    }

    const std::string& buffer() { return form->session().terminal.ScrollbackBuffer(); }

    bool waitForText(const std::string& text, int ms = 5000)
    {
        return QTest::qWaitFor([&] { return buffer().find(text, mark) != std::string::npos; }, ms);
    }

    void type(const std::string& line)
    {
        mark = buffer().size();
        form->CmdLine->setText(line);
        form->EnterButtonClick();
    }

    void connectAndLogIn()
    {
        form->session().connection.connectTo("Practice", "127.0.0.1", std::to_string(world->port()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->Status->text() == "Connected!"; }, 5000));
        EXPECT_EQ(form->MudName->text(), "Practice");
        ASSERT_TRUE(waitForText("By what name do you wish to be known? "));
        type("Tester");
        ASSERT_TRUE(waitForText("Keep these statistics? (y/n)"));
    }
};

TEST_F(EndToEnd, LogInRollWalkMeetTheDoorAndPostANote)
{
    connectAndLogIn();
    EXPECT_NE(buffer().find("Strength: "), std::string::npos);
    type("n");
    ASSERT_TRUE(waitForText("Keep these statistics? (y/n)"));
    type("y");
    ASSERT_TRUE(waitForText("Town Gate"));
    // Lines arrive ending in LF CR and are kept as CR LF: every line feed follows a
    // carriage return.
    for (std::size_t i = buffer().find('\n'); i != std::string::npos; i = buffer().find('\n', i + 1))
        ASSERT_EQ(buffer()[i - 1], '\r') << i;
    EXPECT_NE(buffer().find("y\r\n"), std::string::npos); // the echo of the typed command

    type("n");
    ASSERT_TRUE(waitForText("South Road"));
    type("s");
    ASSERT_TRUE(waitForText("Town Gate"));
    type("s");
    ASSERT_TRUE(waitForText("Alas, you cannot go that way."));
    type("ne");
    ASSERT_TRUE(waitForText("Stables"));
    type("e");
    ASSERT_TRUE(waitForText("Herb Garden"));
    type("n");
    ASSERT_TRUE(waitForText("East Road"));
    type("e");
    ASSERT_TRUE(waitForText("The door is closed."));
    type("open door");
    ASSERT_TRUE(waitForText("> "));
    type("e");
    ASSERT_TRUE(waitForText("Armoury"));

    for (const char* line : {"note to Everyone", "note subject Hello", "note + First line",
                             "note send"})
        type(line);
    type("notes");
    ASSERT_TRUE(waitForText("First line"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(EndToEnd, QuitEndsTheConnectionWithoutReconnecting)
{
    connectAndLogIn();
    type("quit");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->MudName->text() == "(No connection)"; }, 5000));
    EXPECT_EQ(form->Status->text(), "Socket closed.");
    EXPECT_FALSE(form->session().connection.ReconnectArmed);
    EXPECT_TRUE(QTest::qWaitFor([&] { return world->playerCount() == 0; }, 5000));
}

TEST_F(EndToEnd, PeerCloseReconnectsWhileArmed)
{
    connectAndLogIn();
    // The world closes the connection on its own ("quit" typed in another way than the
    // command line, so the wish to stay connected stands).
    form->session().SendToMud("quit\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Status->text() == "Connected!"; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return world->playerCount() == 1; }, 5000));
    EXPECT_TRUE(form->session().connection.ReconnectArmed);
}

TEST_F(EndToEnd, RefusedConnectionIsReportedAndNotShownAsConnected)
{
    const quint16 port = world->port();
    world.reset(); // nothing listens there any more
    form->session().connection.connectTo("Gone", "127.0.0.1", std::to_string(port));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Status->text() == "Connection refused"; }, 5000));
    EXPECT_EQ(form->MudName->text(), "(No connection)");
}

TEST_F(EndToEnd, OddBytesFromTheServerAreShownOrDropped)
{
    connectAndLogIn();
    type("y");
    ASSERT_TRUE(waitForText("Town Gate"));
    type("dump 41004200ff1b5b33316d");
    // The NUL byte is dropped; what follows it in the same read is kept.
    ASSERT_TRUE(waitForText("AB\xff\x1b[31m"));
    EXPECT_EQ(buffer().find('\0'), std::string::npos);
    type("flood 3000");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->session().send.PendingOutput == std::nullopt &&
                                             buffer().find("> ", buffer().size() - 4) != std::string::npos; }, 10000));
    EXPECT_LE(buffer().size(), form->session().terminal.ScrollbackCapacity());
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// A trigger answers the guard and highlights his words; an alias and the script language
// reach the game as typed lines do.
TEST_F(EndToEnd, TriggersAliasesAndScriptsAgainstTheWorld)
{
    Session& s = form->session();
    // (A response the guard answers again would talk to him for ever.)
    s.triggers().push_back({"The guard tells you '%%'", "exits", "101501"});
    s.aliases().push_back({"tg", "talk guard"});
    connectAndLogIn();
    type("y");
    ASSERT_TRUE(waitForText("Town Gate"));
    type("tg");
    ASSERT_TRUE(waitForText("Obvious exits:"));
    ASSERT_TRUE(s.script.captures[0].has_value());
    EXPECT_FALSE(s.script.captures[0]->empty());
    EXPECT_NE(buffer().find("\x1b[c\x1b[1;33;44mThe guard tells you '"), std::string::npos);
    type("#IF 10 > 9 then say yes else say no");
    ASSERT_TRUE(waitForText("You say 'yes'"));
    type("say a;;b");
    ASSERT_TRUE(waitForText("You say 'a;b'"));
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// Function keys and the numeric keypad walk the world through real key events.
TEST_F(EndToEnd, HotkeysAndKeypadWalkTheRooms)
{
    Session& s = form->session();
    s.hotkeys[0] = {"n", true, false};     // F1
    s.hotkeys[12] = {"look", true, false}; // Shift+F1
    connectAndLogIn();
    type("y");
    ASSERT_TRUE(waitForText("Town Gate"));
    form->CmdLine->setFocus();

    mark = buffer().size();
    QTest::keyClick(form->CmdLine, Qt::Key_F1);
    ASSERT_TRUE(waitForText("South Road"));
    mark = buffer().size();
    QTest::keyClick(form->CmdLine, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(waitForText("South Road"));

    s.keypad[2] = "s";
    mark = buffer().size();
    QTest::keyClick(form->CmdLine, Qt::Key_2, Qt::KeypadModifier);
    ASSERT_TRUE(waitForText("Town Gate"));
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "s");

    mark = buffer().size();
    QTest::keyClick(form->CmdLine, Qt::Key_Up); // the history brings back "look"
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "look");

    s.KeypadEnabled = false;
    form->CmdLine->QLineEdit::setText("");
    QTest::keyClick(form->CmdLine, Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "8");
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// A host name is looked up (in a nested event loop) before the connection is made.
TEST_F(EndToEnd, HostNameIsLookedUpBeforeConnecting)
{
    form->session().connection.connectTo("Practice", "localhost", std::to_string(world->port()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Status->text() == "Connected!"; }, 5000));
    EXPECT_EQ(form->session().connection.LastHost, "localhost");
    ASSERT_TRUE(waitForText("By what name do you wish to be known? "));
}

} // namespace
} // namespace tw

#include "ModalDriver.h"
#include "tools/qt/TMessageForm.h"
#include "tools/qt/TStatRollDlg.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <cstring>

namespace tw {
namespace {

// The roller answers "n" to every set short of the minimums and stops at the first set that
// reaches them.
TEST_F(EndToEnd, StatRollerRerollsUntilTheMinimumsAreMet)
{
    StatRoller& roller = form->session().statRoller;
    ASSERT_TRUE(roller.ComboBox1Change("Dwarf")); // 19 18 18 16 21, total 92
    form->StatRollDlg->refresh();
    connectAndLogIn();
    form->StatRollDlg->RollBtn->click();
    type("n"); // the set already shown is not looked at; this asks for the first one
    ASSERT_TRUE(QTest::qWaitFor([&] { return !roller.rolling(); }, 20000));
    EXPECT_EQ(form->StatRollDlg->RollBtn->text(), "&Roll");
    EXPECT_EQ(boxes, (std::vector<std::string>{"Warning|Found a match!"}));

    const std::string& text = buffer();
    std::size_t sets = 0;
    for (std::size_t at = text.find("Strength: "); at != std::string::npos; at = text.find("Strength: ", at + 1))
        ++sets;
    EXPECT_GT(sets, 2u); // the login's set, and more than the one that matched
    const std::size_t last = text.rfind("Strength: ");
    const StatRoller::Values minimums{19, 18, 18, 16, 21, 92};
    int sum = 0;
    const char* labels[] = {"Strength: ", "Intelligence: ", "Wisdom: ", "Dexterity: ", "Constitution: "};
    for (std::size_t i = 0; i < 5; ++i) {
        const std::size_t at = text.find(labels[i], last) + std::strlen(labels[i]);
        const int value = std::stoi(text.substr(at, 2));
        EXPECT_GE(value, minimums[i]) << labels[i];
        sum += value;
    }
    EXPECT_GE(sum, minimums[5]);
    type("y");
    ASSERT_TRUE(waitForText("You keep these statistics."));
}

// A message written in the Send Message window is posted on the board.
TEST_F(EndToEnd, MessageSentWithTheSenderIsOnTheBoard)
{
    connectAndLogIn();
    type("y");
    ASSERT_TRUE(waitForText("Town Gate"));
    TMessageForm& msg = *form->MessageForm;
    test::whenModal(msg, [&] {
        msg.ToName->setText("Everyone");
        msg.Subject->setText("Market day");
        msg.NoteText->setPlainText("Bring apples\n\nand pears\n");
        msg.Button3->click();
    });
    mark = buffer().size();
    form->action("SendMessage1")->trigger();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Sent|All lines have been sent."}));
    EXPECT_EQ(form->Status->text(), "Sending message...");
    ASSERT_TRUE(waitForText("Note posted to Everyone."));
    type("notes");
    ASSERT_TRUE(waitForText("  and pears"));
    const std::string board = buffer().substr(mark);
    EXPECT_NE(board.find("To: Everyone\r\nSubject: Market day\r\n  Bring apples\r\n  \r\n  and pears\r\n"),
              std::string::npos) << board;
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// With the automapper on, walking the world builds its rooms with their titles and links;
// refused moves leave the map alone.
TEST_F(EndToEnd, TheAutomapperMapsTheWalk)
{
    connectAndLogIn();
    type("y");
    ASSERT_TRUE(waitForText("Town Gate"));
    QTest::keyClick(form->CmdLine, Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(form->Status->text(), "AutoMap activated!");
    const MapModel& map = form->session().map;
    const std::pair<const char*, const char*> walk[] = {
        {"s", "Alas, you cannot go that way."}, {"n", "South Road"}, {"n", "Town Square"},
        {"e", "Fountain Street"}, {"e", "East Road"}, {"e", "The door is closed."},
        {"s", "The Herb Garden"}, {"w", "The Stables"}, {"sw", "Town Gate"}, {"n", "South Road"},
        {"d", "A Damp Tunnel"}};
    for (const auto& [command, answer] : walk) {
        type(command);
        ASSERT_TRUE(waitForText(answer)) << command;
        ASSERT_TRUE(waitForText("> ")) << command;
    }
    const struct {
        Cell cell;
        const char* title;
    } rooms[] = {{{15, 15, 5}, "Town Gate"}, {{15, 14, 5}, "South Road"}, {{15, 13, 5}, "Town Square"},
                 {{16, 13, 5}, "Fountain Street"}, {{17, 13, 5}, "East Road"},
                 {{17, 14, 5}, "The Herb Garden"}, {{16, 14, 5}, "The Stables"}, {{15, 14, 4}, "A Damp Tunnel"}};
    for (const auto& r : rooms) {
        const TMapRoom* room = map.room(r.cell.x, r.cell.y, r.cell.level);
        ASSERT_NE(room, nullptr) << r.title;
        EXPECT_NE(room->title.str().find(r.title), std::string::npos) << room->title.str();
    }
    EXPECT_EQ(map.position(), (Cell{15, 14, 4}));
    EXPECT_EQ(map.room(15, 14, 5)->exit(dir::Down), (MapExit{15, 14, 4}));
    EXPECT_EQ(map.room(15, 14, 4)->exit(dir::Up), (MapExit{15, 14, 5}));
    EXPECT_EQ(map.room(17, 13, 5)->exit(dir::South), (MapExit{17, 14, 5}));
    EXPECT_EQ(map.room(16, 14, 5)->exit(dir::East), (MapExit{17, 14, 5}));
    EXPECT_EQ(map.room(16, 14, 5)->exit(dir::SouthWest), MapExit{}); // diagonal moves link nothing
    EXPECT_FALSE(map.RoomExists(15, 16, 5));
    EXPECT_FALSE(map.RoomExists(18, 13, 5));
}

} // namespace
} // namespace tw
