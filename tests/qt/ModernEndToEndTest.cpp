// The real main window against the practice world speaking telnet (--modern), with Modern
// Server Mode on and off, and over TLS.
#include "core/qt/CommandLineEdit.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "core/qt/VitalsBar.h"
#include "net/qt/TBasicClientSocket.h"
#include "script/qt/ListDialogSupport.h"
#include "settings/qt/IniFile.h"

#include "PracticeWorldStart.h"
#include "TestCertificate.h"

#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct ModernEndToEnd : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<practice::PracticeServer> world;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> boxes;
    std::string logged;
    std::size_t mark = 0;

    void startWorld(QStringList extra = {})
    {
        test::startPracticeWorld(world, QStringList{"--modern"} + extra);
        if (!world)
            return;
        form = std::make_unique<TMainForm>();
        form->iniPath = dir.filePath("TARNWICK.INI");
        form->messageBoxHook = [this](const std::string& c, const std::string& t, MsgButtons) {
            boxes.push_back(c + "|" + t);
            return c == "Untrusted Certificate" ? MsgAnswer::Yes : MsgAnswer::Ok;
        };
        form->session().LoggingOn = true;
        form->session().logBlock = [this](std::string_view b) { logged += b; };
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
        form->CmdLine->QLineEdit::setText(QString::fromLatin1(line.c_str()));
        form->EnterButtonClick();
    }
    bool connectTo(const std::string& address, quint16 port)
    {
        form->session().connection.connectTo("Practice", address, std::to_string(port));
        return QTest::qWaitFor([&] { return form->Status->text() == "Connected!"; }, 5000) &&
               waitForText("By what name do you wish to be known? ");
    }
};

TEST_F(ModernEndToEnd, PasswordHiddenNoNegotiationDrawnWindowSizeAndCompression)
{
    startWorld();
    form->setModernMode(true);
    ASSERT_TRUE(connectTo("127.0.0.1", world->port()));
    EXPECT_NE(buffer().find("Connected to Practice (127.0.0.1:" + std::to_string(world->port()) + ")."), std::string::npos);
    EXPECT_NE(buffer().find("Connecting...\r\n"), std::string::npos); // the bare line feed
    type("Tester");
    ASSERT_TRUE(waitForText("Choose a password: "));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->CmdLine->echoMode() == QLineEdit::Password; }, 2000));
    form->CmdLine->setFocus();
    QTest::keyClicks(form->CmdLine, "hunter2");
    QTest::keyClick(form->CmdLine, Qt::Key_Return);
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "");
    ASSERT_TRUE(waitForText("Keep these statistics? (y/n)"));
    EXPECT_EQ(form->CmdLine->echoMode(), QLineEdit::Normal);
    type("y");
    ASSERT_TRUE(waitForText("Town Gate"));

    form->resize(900, 600);
    QTest::qWait(50);
    const auto& t = form->session().terminal;
    type("telnet");
    ASSERT_TRUE(waitForText("End of record: on"));
    EXPECT_NE(buffer().find("Window: " + std::to_string(t.ColumnCount()) + " x " + std::to_string(t.RowCount()), mark),
              std::string::npos);
    EXPECT_NE(buffer().find("Terminal: TARNWICK", mark), std::string::npos);
    EXPECT_NE(buffer().find("Compression: on", mark), std::string::npos);
    type("look");
    ASSERT_TRUE(waitForText("Town Gate"));

    for (const std::string* text : {&buffer(), const_cast<const std::string*>(&logged)}) {
        EXPECT_EQ(text->find("hunter2"), std::string::npos);
        EXPECT_EQ(text->find('\xff'), std::string::npos);
    }
    for (const std::string& entry : form->session().history.entries())
        EXPECT_NE(entry, "hunter2");
    type("quit");
    ASSERT_TRUE(QTest::qWaitFor([&] { return buffer().find("Connection closed.") != std::string::npos; }, 5000));
    EXPECT_TRUE(boxes.empty());
}

// Typed text goes out as UTF-8, a trigger typed in the dialogs matches the game's UTF-8, and
// the world's colours and characters reach the cells.
TEST_F(ModernEndToEnd, TextIsUtf8BothWaysAndColoursReachTheCells)
{
    startWorld();
    form->setModernMode(true);
    ASSERT_TRUE(connectTo("127.0.0.1", world->port()));
    type("Tester");
    ASSERT_TRUE(waitForText("Choose a password: "));
    type("secret");
    ASSERT_TRUE(waitForText("(y/n)"));
    type("y");
    ASSERT_TRUE(waitForText("Bienvenue au caf\xc3\xa9"));
    form->session().triggers().push_back({bytesFromText(QString("You say 'caf\u00e9")), "smile"});
    mark = buffer().size();
    form->CmdLine->QLineEdit::setText(QString("say caf\u00e9 \u00fcber na\u00efve \u2013 5\u20ac"));
    form->EnterButtonClick();
    ASSERT_TRUE(waitForText("You say 'caf\xc3\xa9 \xc3\xbc" "ber na\xc3\xafve \xe2\x80\x93 5\xe2\x82\xac'"));
    ASSERT_TRUE(waitForText("\x1b[1;33;40msmile\x1b[d\r\n")); // the trigger's echo, in yellow

    type("colours");
    ASSERT_TRUE(waitForText("\xe3\x81\xb2\xe3\x82\x89\xe3\x81\x8c\xe3\x81\xaa"));
    QTest::qWait(20);
    const ScreenModel& model = form->session().terminal.model();
    bool wide = false, truecolour = false, accent = false;
    for (int l = 1; l <= model.LineCount(); ++l)
        for (int c = 1; c <= ScreenLine::Width; ++c) {
            const ScreenCell& cell = model.line(l).cell(c);
            wide = wide || cell.character == (U'\u4e2d' | ScreenCell::RightHalf);
            truecolour = truecolour || cell.background == rgbCellColour(255, 0, 0);
            accent = accent || cell.character == U'\u00e9';
        }
    EXPECT_TRUE(wide);
    EXPECT_TRUE(truecolour);
    EXPECT_TRUE(accent);
    EXPECT_TRUE(boxes.empty());
}

// Switched off, the same session shows every byte as it came, the line ends repaired as
// always, and the status row points at the switch once.
TEST_F(ModernEndToEnd, SwitchedOffTheSameSessionShowsTheBytesAsBefore)
{
    startWorld();
    QTcpSocket raw;
    raw.connectToHost("127.0.0.1", world->port());
    QByteArray greeting;
    ASSERT_TRUE(QTest::qWaitFor([&] { greeting += raw.readAll(); return greeting.endsWith("known? "); }, 5000));
    greeting.replace("\n\r", "\r\n");

    ASSERT_TRUE(connectTo("127.0.0.1", world->port()));
    EXPECT_EQ(buffer(), "\r\n\r\n" + greeting.toStdString());
    EXPECT_EQ(form->Status->text().toStdString(), TelnetHint);
    type("Tester");
    ASSERT_TRUE(waitForText("Choose a password: \xff\xfb\x01"));
    EXPECT_EQ(form->CmdLine->echoMode(), QLineEdit::Normal);
    type("hunter2");
    ASSERT_TRUE(waitForText("Keep these statistics? (y/n)"));
    EXPECT_NE(buffer().find("hunter2\r\n"), std::string::npos); // echoed, as the Parts say
    EXPECT_NE(buffer().find("\xff\xfc\x01"), std::string::npos);
    EXPECT_EQ(buffer().find("Connected to"), std::string::npos);
}

// TLS to a port that does not speak it, and to one that never answers the handshake: said in
// words, in the status row and the terminal.
TEST_F(ModernEndToEnd, TlsFailuresAreSaidInWords)
{
    if (!QSslSocket::supportsSsl())
        GTEST_SKIP() << "Qt has no TLS back end on this machine";
    startWorld();
    form->setModernMode(true);
    const std::string plain = "127.0.0.1:" + std::to_string(world->port());
    form->session().connection.connectTo("Practice", "tls://127.0.0.1", std::to_string(world->port()));
    const std::string notTls = plain + " did not answer in TLS; is it the game's plain port?";
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Status->text().toStdString() == notTls; }, 5000))
        << form->Status->text().toStdString();
    EXPECT_TRUE(waitForText(notTls));
    EXPECT_FALSE(form->session().connection.ReconnectArmed);

    QTcpServer silent; // takes the connection and never answers the handshake
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    form->MudSock->handshakeLimit = 300;
    form->session().connection.connectTo("Silent", "tls://127.0.0.1", std::to_string(silent.serverPort()));
    EXPECT_TRUE(waitForText("127.0.0.1:" + std::to_string(silent.serverPort()) +
                            " did not complete the TLS handshake within 20 s."));
    EXPECT_TRUE(boxes.empty());
}

// TLS with a certificate made for this test: asked about once, remembered, and refused once
// it changes.
TEST_F(ModernEndToEnd, TlsAsksAboutAnUntrustedCertificateOnce)
{
    if (*test::tlsUntestable())
        GTEST_SKIP() << test::tlsUntestable();
    QTemporaryDir certs;
    const auto made = test::makeTestCertificate(certs, "world");
    ASSERT_TRUE(made);
    startWorld({"--tls-port", "0", "--tls-cert", made->cert, "--tls-key", made->key});
    form->setModernMode(true);
    const std::string address = "tls://127.0.0.1";
    ASSERT_TRUE(connectTo(address, world->tlsPort()));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].starts_with("Untrusted Certificate|The certificate of 127.0.0.1:" +
                                     std::to_string(world->tlsPort()))) << boxes[0];
    EXPECT_NE(boxes[0].find("SHA-256 fingerprint:"), std::string::npos);
    type("Tester");
    ASSERT_TRUE(waitForText("Choose a password: "));

    form->Disconnect1Click();
    mark = buffer().size();
    ASSERT_TRUE(connectTo(address, world->tlsPort()));
    EXPECT_EQ(boxes.size(), 1u); // remembered

    form->Disconnect1Click();
    IniFile(form->iniPath).rememberCertificate("127.0.0.1", world->tlsPort(), "00:11");
    form->session().connection.connectTo("Practice", address, std::to_string(world->tlsPort()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxes.size() == 2; }, 5000));
    EXPECT_TRUE(boxes[1].starts_with("Certificate Changed|")) << boxes[1];
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->MudName->text() == "(No connection)"; }, 5000));
    EXPECT_NE(form->Status->text(), "Connected!");
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// The game's data beside its text: the gauges, the channel, and a map made by the game's room
// numbers. Two moves typed before the reply, room data arriving in pieces and a refused move
// leave the map right, and a speedwalk follows the numbers back.
TEST_F(ModernEndToEnd, GameDataDrawsVitalsAndMapsByRoomNumbers)
{
    startWorld();
    form->setModernMode(true);
    form->show();
    ASSERT_TRUE(connectTo("127.0.0.1", world->port()));
    type("Tester");
    ASSERT_TRUE(waitForText("Choose a password: "));
    type("hunter2");
    ASSERT_TRUE(waitForText("Keep these statistics? (y/n)"));
    Session& s = form->session();
    MapModel& map = s.map;
    map.active = true;
    type("y");
    const Cell gate{15, 15, 5}, road{15, 14, 5}, stables{16, 14, 5}, garden{17, 14, 5};
    ASSERT_TRUE(QTest::qWaitFor([&] { return map.numbers.at(gate) != 0; }, 5000));
    const auto title = [&](const Cell& c) { return map.room(c.x, c.y, c.level)->title.str(); };
    EXPECT_EQ(title(gate), "Town Gate");
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.vitals.size() == 3; }, 5000));
    EXPECT_EQ(s.vitals[0], (VitalGauge{"HP", 40, 40}));
    EXPECT_TRUE(form->Vitals->isVisible());

    mark = buffer().size();
    s.ParseCommand("n");
    s.ParseCommand("e");
    ASSERT_TRUE(QTest::qWaitFor([&] { return map.position() == stables; }, 5000));
    ASSERT_TRUE(waitForText("The Stables"));
    type("s");
    ASSERT_TRUE(waitForText("Alas, you cannot go that way."));
    type("e");
    ASSERT_TRUE(QTest::qWaitFor([&] { return map.position() == garden; }, 5000));
    EXPECT_EQ(title(road), "South Road");
    EXPECT_EQ(title(stables), "The Stables");
    EXPECT_EQ(title(garden), "The Herb Garden");
    EXPECT_EQ(map.numbers.size(), 4u);
    EXPECT_EQ(map.room(15, 15, 5)->exit(dir::North), (MapExit{15, 14, 5}));
    EXPECT_EQ(map.room(15, 14, 5)->exit(dir::East), (MapExit{16, 14, 5}));
    EXPECT_EQ(map.room(16, 14, 5)->exit(dir::SouthWest), (MapExit{15, 15, 5}));
    EXPECT_EQ(map.room(17, 14, 5)->exit(dir::West), (MapExit{16, 14, 5}));
    EXPECT_FALSE(map.RoomExists(16, 15, 5));

    mark = buffer().size();
    s.speedwalkTo(gate);
    ASSERT_TRUE(waitForText("Town Gate"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return map.position() == gate && !s.walk.walking(); }, 5000));
    EXPECT_EQ(map.numbers.size(), 4u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.vitals.size() == 3 && s.vitals[2].value < 100; }, 5000));

    type("say hello");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.channels.lines().empty(); }, 5000));
    EXPECT_EQ(s.channels.lines().front().channel, "say");
    EXPECT_EQ(s.channels.lines().front().talker, "You");
    EXPECT_NE(s.channels.lines().front().text.find("hello"), std::string::npos);

    // Switched off, the gauges go with the data.
    form->setModernMode(false);
    EXPECT_TRUE(s.vitals.empty());
    EXPECT_FALSE(form->Vitals->isVisible());
}

} // namespace
} // namespace tw
