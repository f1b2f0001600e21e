// The main window against servers that misbehave (tests/qt/FaultServer.h): resets, a server
// that closes every connection at once, one that never sends, one that never reads, and floods
// of text without line ends or of hostile bytes. The window never stalls, memory stays
// bounded, and the status row tells what happened. The clock is driven by calling the tick.
#include "FaultServer.h"
#include "TestMainForm.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "net/SockError.h"
#include "support/ResidentSize.h"
#include "support/Sanitizer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace tw {
namespace {

using test::FaultServer;
using test::MiB;

// The longest round of the event loop while it was watched: an event posted anew at every
// round measures it. (A timer would not: during a flood Qt runs timers only when nothing
// else is waiting.)
class StallWatch : public QObject {
public:
    qint64 longest = 0;
    StallWatch()
    {
        clock_.start();
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
    ~StallWatch() override { QCoreApplication::removePostedEvents(this); }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        const qint64 now = clock_.elapsed();
        longest = std::max(longest, now - last_);
        last_ = now;
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        return true;
    }

private:
    QElapsedTimer clock_;
    qint64 last_ = 0;
};

struct Faults : ::testing::Test {
    QTemporaryDir dir;
    std::vector<std::string> boxes;
    std::unique_ptr<TMainForm> form;
    std::string logged; // every block of the receive pipeline, as the session log sees it

    void SetUp() override
    {
        form = test::testMainForm(dir, boxes);
        form->Timer1->stop(); // the tests are the clock
        form->resize(900, 600);
        form->show();
        session().LoggingOn = true;
        session().logBlock = [this](std::string_view block) {
            if (logged.size() < 64 * MiB)
                logged.append(block);
        };
    }
    Session& session() { return form->session(); }
    std::string status() const { return form->Status->text().toStdString(); }
    void connectTo(const FaultServer& server) { session().connection.connectTo("Fault", "127.0.0.1", server.port()); }
    bool waitFor(const std::function<bool()>& condition, int ms = 20000) { return QTest::qWaitFor(condition, ms); }
    void tick()
    {
        session().tick();
        QCoreApplication::processEvents();
    }
};

std::string lines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "Line " + std::to_string(i) + " of a long room description.\r\n";
    return text;
}

// What arrived before the reset is shown, then the read error says why the connection ended;
// in Modern Server Mode the closing notice gives the reason too. An orderly close says nothing.
TEST_F(Faults, AResetInTheMiddleOfABlockKeepsWhatArrivedAndSaysWhy)
{
    session().setup.AutoReconnect = false;
    const std::string sent = lines(20000);
    for (const bool modern : {false, true}) {
        for (const bool reset : {true, false}) {
            SCOPED_TRACE(std::string(modern ? "modern " : "classic ") + (reset ? "reset" : "close"));
            boxes.clear();
            form->setModernMode(modern);
            FaultServer server({FaultServer::send("Welcome\r\n"), FaultServer::awaitInput(),
                                FaultServer::send(QByteArray::fromStdString(sent)),
                                reset ? FaultServer::reset() : FaultServer::close()});
            connectTo(server);
            ASSERT_TRUE(waitFor([&] { return logged.ends_with("Welcome\r\n"); }));
            logged.clear();
            session().SendToMud("go\r\n");
            ASSERT_TRUE(waitFor([&] { return form->MudName->text() == "(No connection)"; })) << status();
            EXPECT_EQ(status(), "Socket closed.");
            EXPECT_FALSE(logged.empty());
            EXPECT_EQ(sent.substr(0, logged.size()), logged);
            if (!reset)
                EXPECT_EQ(logged.size(), sent.size());
            const std::vector<std::string> said = {"Tarnwick 5|Error 10054 (Connection reset by peer) recieving"};
            EXPECT_EQ(boxes, reset ? said : std::vector<std::string>());
            const std::string& shown = session().terminal.ScrollbackBuffer();
            if (modern)
                EXPECT_NE(shown.find(reset ? "Connection closed: Connection reset by peer." : "Connection closed.\x1b"),
                          std::string::npos);
            EXPECT_EQ(server.accepted(), 1);
        }
    }
    form->setModernMode(false);
}

// A reset that comes before the client has seen its connection stand fails that one attempt;
// it does not start new connections behind the program's back.
TEST_F(Faults, AResetAtOnceFailsTheAttemptOnce)
{
    session().setup.AutoReconnect = false;
    FaultServer server({FaultServer::send(QByteArray(100000, 'x')), FaultServer::reset()});
    connectTo(server);
    ASSERT_TRUE(waitFor([&] { return status() == SockError::errorText(SockErr::ConnectionReset); })) << status();
    EXPECT_EQ(form->MudName->text(), "(No connection)");
    QTest::qWait(300);
    EXPECT_EQ(server.accepted(), 1);
}

// Reconnection after every loss: one attempt at once, then one per ten ticks, never two
// connections at the same time.
TEST_F(Faults, AServerThatClosesAtOnceIsTriedAtTheTenSecondPace)
{
    FaultServer server({FaultServer::close()});
    connectTo(server);
    ASSERT_TRUE(waitFor([&] { return server.accepted() == 2 && session().connection.reconnectWaiting(); }));
    for (int attempt = 3; attempt <= 50; ++attempt) {
        for (int t = 1; t < ConnectionLifecycle::ReconnectPace; ++t) {
            tick();
            ASSERT_EQ(server.accepted(), attempt - 1) << "tick " << t;
        }
        tick();
        ASSERT_TRUE(waitFor([&] { return server.accepted() == attempt && session().connection.reconnectWaiting(); }))
            << attempt;
        // The client has let go of the connection before the next one.
        ASSERT_TRUE(waitFor([&] { return server.open() == 0; })) << attempt;
    }
    form->Disconnect1Click();
    for (int t = 0; t < 2 * ConnectionLifecycle::ReconnectPace; ++t)
        tick();
    EXPECT_EQ(server.accepted(), 50);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(Faults, AServerThatNeverSendsKeepsTheConnection)
{
    FaultServer server({});
    connectTo(server);
    ASSERT_TRUE(waitFor([&] { return status() == "Connected!"; }));
    for (int t = 0; t < 3 * ConnectionLifecycle::ReconnectPace; ++t)
        tick();
    EXPECT_EQ(status(), "Connected!");
    EXPECT_EQ(server.open(), 1);
    session().SendToMud("look\r\n");
    EXPECT_TRUE(waitFor([&] { return server.received() == 6; }));
    EXPECT_EQ(server.accepted(), 1);
}

// Triggers answer every line of a server that reads nothing: the text waiting to be sent
// stops at its limit, the status row says so, and memory stays bounded.
TEST_F(Faults, AServerThatNeverReadsStopsTheAnswersAtALimit)
{
    session().triggers() = {{"You are hungry.", "eat " + std::string(200, 'b'), "100000"}};
    std::string chunk;
    while (chunk.size() < 16 * 1024)
        chunk += "You are hungry.\r\n";
    FaultServer server({FaultServer::stopReading(), FaultServer::keepSending(QByteArray::fromStdString(chunk), 6 * MiB)});
    const std::size_t before = test::residentBytes();
    StallWatch watch;
    connectTo(server);
    ASSERT_TRUE(waitFor([&] { return status() == SendQueue::NotReadingStatus; }, 60000));
    ASSERT_TRUE(session().send.PendingOutput);
    EXPECT_LE(session().send.PendingOutput->size(), SendQueue::PendingLimit);
    EXPECT_LT(test::residentBytes(), before + 64 * MiB);
    EXPECT_LT(watch.longest, 500 * test::SanitizerSlowdown);
    form->Disconnect1Click();
}

// Floods: 20 MB in one line, and 20 MB of hostile bytes (NUL, 0xFF, escape sequences with a
// thousand digits or hundreds of parameters, sequences never ended), in the old mode and in
// Modern Server Mode. Every byte goes through, the window keeps running, memory stays bounded.
std::string hostileBytes()
{
    std::mt19937 rng(20);
    std::string out;
    while (out.size() < MiB) {
        switch (rng() % 8) {
        case 0: out += "\x1b[" + std::string(1000, '7') + "m"; break;
        case 1: {
            out += "\x1b[";
            for (int i = 0; i < 300; ++i)
                out += std::to_string(rng() % 50) + ";";
            out += "m";
            break;
        }
        case 2: out += "\x1b[12;"; break;        // never ended
        case 3: out += std::string(50, '\0'); break;
        case 4: out += "\xff\xff\xff\xfa\x18"; break; // telnet that goes nowhere
        case 5: out += "\n\r\n\r\r\r"; break;
        default:
            for (int i = 0; i < 64; ++i)
                out += char(rng());
        }
    }
    return out;
}

TEST_F(Faults, FloodsKeepTheWindowRunningAndMemoryBounded)
{
    session().setup.AutoReconnect = false;
    session().triggers() = {{"xyz", "", "101501"}, {"\x1b[1", "say escape", "100000"}};
    struct Case {
        const char* name;
        std::string chunk;
        bool modern;
    } cases[] = {
        {"no line end", std::string(64 * 1024, 'x'), false},
        {"hostile bytes", hostileBytes(), false},
        {"hostile bytes, modern", hostileBytes(), true},
    };
    for (const Case& c : cases) {
        logged.clear();
        form->setModernMode(c.modern);
        FaultServer server({FaultServer::keepSending(QByteArray::fromStdString(c.chunk), 20 * MiB),
                            FaultServer::close()});
        const std::size_t before = test::residentBytes();
        StallWatch watch;
        connectTo(server);
        ASSERT_TRUE(waitFor([&] { return server.accepted() == 1; })) << c.name;
        ASSERT_TRUE(waitFor([&] { return form->MudName->text() == "(No connection)" && server.open() == 0; }, 300000))
            << c.name;
        EXPECT_LT(watch.longest, 500 * test::SanitizerSlowdown) << c.name;
        EXPECT_LT(test::residentBytes(), before + 96 * MiB) << c.name;
        const std::string& shown = session().terminal.ScrollbackBuffer();
        EXPECT_LE(shown.size(), session().terminal.ScrollbackCapacity()) << c.name;
        if (!c.modern)
            EXPECT_GT(logged.size(), 19 * MiB) << c.name << " " << status() << " " << boxes.size(); // NULs are taken out, nothing else
    }
    form->setModernMode(false);
}

} // namespace
} // namespace tw
