// The question about a TLS certificate, with the real dialog on the xcb platform against the
// practice world's TLS port: Enter and Escape never trust, the clock goes on while it is open,
// and a refusal ends the connection and the reconnection. The world's second certificate
// makes the changed-certificate path real.
#include "core/qt/CommandLineEdit.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "net/qt/TBasicClientSocket.h"
#include "settings/qt/IniFile.h"

#include "PracticeWorldStart.h"
#include "TestCertificate.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct XcbCertificate : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<practice::PracticeServer> world;
    std::unique_ptr<TMainForm> form;

    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs the xcb platform (run under Xvfb)";
        if (*test::tlsUntestable())
            GTEST_SKIP() << test::tlsUntestable();
        const auto first = test::makeTestCertificate(dir, "first"), second = test::makeTestCertificate(dir, "second");
        ASSERT_TRUE(first && second);
        test::startPracticeWorld(world, {"--tls-port", "0", "--tls-cert", first->cert, "--tls-key", first->key,
                                         "--tls-cert2", second->cert, "--tls-key2", second->key});
        ASSERT_TRUE(world);
        form = std::make_unique<TMainForm>(nullptr, dir.filePath("TARNWICK.INI"));
        form->setModernMode(true);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override
    {
        if (form)
            form->Disconnect1Click();
    }

    std::string where() const { return "127.0.0.1:" + std::to_string(world->tlsPort()); }
    std::string status() const { return form->Status->text().toStdString(); }
    void connect() { form->session().connection.connectTo("Practice", "tls://127.0.0.1", std::to_string(world->tlsPort())); }
    // The message box open now, once it has the keyboard.
    QMessageBox* box(const QString& caption)
    {
        QMessageBox* found = nullptr;
        (void)QTest::qWaitFor([&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible() && b->windowTitle() == caption)
                    found = b;
            return found != nullptr;
        }, 10000);
        // The keys go where the box has the keyboard focus, as the player's would.
        if (found && !QTest::qWaitFor([&] { return found->isActiveWindow() && found->isAncestorOf(QApplication::focusWidget()); }, 5000))
            return nullptr;
        return found;
    }
    // A key through the X server, to whichever window has the keyboard.
    static bool press(const char* key) { return QProcess::execute("xdotool", {"key", key}) == 0; }
    // Answered boxes go away.
    static bool closed(QPointer<QMessageBox> b) { return QTest::qWaitFor([&] { return !b || !b->isVisible(); }, 5000); }
    // Nothing more is tried for a long while: no socket, the status as it was.
    void expectNoMoreAttempts(const std::string& why)
    {
        for (int tick = 0; tick < 25; ++tick) {
            form->TimerPop();
            EXPECT_FALSE(form->MudSock->HasHandle()) << tick;
        }
        EXPECT_FALSE(form->session().connection.ReconnectArmed);
        EXPECT_EQ(status(), why);
    }
};

TEST_F(XcbCertificate, EnterAndEscapeNeverTrustAndTheClockGoesOn)
{
    const std::string refused = "The certificate of " + where() + " was not accepted.";
    for (const char* key : {"Return", "Escape"}) {
        connect();
        QMessageBox* question = box("Untrusted Certificate");
        ASSERT_TRUE(question) << key;
        EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::No));
        EXPECT_EQ(status(), "The certificate of " + where() + " cannot be verified.");
        // The tick is not held up by the question.
        const QString clock = form->Clock->text();
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->Clock->text() != clock; }, 3000)) << key;

        ASSERT_TRUE(press(key));
        ASSERT_TRUE(closed(question)) << key;
        EXPECT_EQ(status(), refused) << key;
        EXPECT_TRUE(IniFile(form->iniPath).trustedCertificate("127.0.0.1", world->tlsPort()).empty());
        expectNoMoreAttempts(refused);
    }
}

TEST_F(XcbCertificate, AcceptedThenChangedIsRefusedForGood)
{
    connect();
    QMessageBox* question = box("Untrusted Certificate");
    ASSERT_TRUE(question);
    QTest::mouseClick(question->button(QMessageBox::Yes), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return status() == "Connected!"; }, 10000)) << status();
    const std::string accepted = IniFile(form->iniPath).trustedCertificate("127.0.0.1", world->tlsPort());
    EXPECT_FALSE(accepted.empty());
    // Logged in, the player asks the world for its other certificate.
    const auto& buffer = form->session().terminal.ScrollbackBuffer();
    for (const auto& step : {std::pair("known? ", "Tester"), std::pair("(y/n)", "y"),
                             std::pair("Town Gate", "certificate")}) {
        const char* awaited = step.first;
        ASSERT_TRUE(QTest::qWaitFor([&] { return buffer.find(awaited) != std::string::npos; }, 5000)) << awaited;
        form->CmdLine->QLineEdit::setText(step.second);
        form->EnterButtonClick();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return buffer.find("the other certificate.") != std::string::npos; }, 5000));

    form->Disconnect1Click();
    connect();
    QMessageBox* warning = box("Certificate Changed");
    ASSERT_TRUE(warning);

    const std::string refused = "The certificate of " + where() + " was not accepted.";
    EXPECT_EQ(status(), refused);
    EXPECT_NE(form->session().terminal.ScrollbackBuffer().find(refused), std::string::npos);
    ASSERT_TRUE(press("Return"));
    ASSERT_TRUE(closed(warning));
    expectNoMoreAttempts(refused);
    EXPECT_EQ(IniFile(form->iniPath).trustedCertificate("127.0.0.1", world->tlsPort()), accepted);
}

} // namespace
} // namespace tw
