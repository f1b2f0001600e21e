// Hidden input from real key events on the xcb platform: while the server echoes, the command
// line shows bullets, Enter clears it, and neither Up nor the terminal gives the secret back.
#include "core/qt/CommandLineEdit.h"
#include "core/qt/TMainForm.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(XcbModernInput, SecretIsTypedAsBulletsAndForgottenAfterEnter)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs the xcb platform (run under Xvfb)";
    QTemporaryDir dir;
    TMainForm form;
    form.iniPath = dir.filePath("TARNWICK.INI");
    form.setModernMode(true);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.CmdLine->setFocus();
    for (const char* command : {"look", "n"}) {
        QTest::keyClicks(form.CmdLine, command); // replaces the selected line
        QTest::keyClick(form.CmdLine, Qt::Key_Return);
    }

    form.session().socketRead("Password: \xff\xfb\x01");
    EXPECT_EQ(form.CmdLine->QLineEdit::text(), ""); // the last command is not sent as the secret
    QTest::keyClicks(form.CmdLine, "hunter2");
    EXPECT_EQ(form.CmdLine->QLineEdit::text(), "hunter2");
    EXPECT_NE(form.CmdLine->displayText(), "hunter2");
    EXPECT_EQ(form.CmdLine->displayText().size(), 7);
    QTest::keyClick(form.CmdLine, Qt::Key_Return);
    EXPECT_EQ(form.CmdLine->QLineEdit::text(), "");
    QTest::keyClick(form.CmdLine, Qt::Key_Up);
    EXPECT_EQ(form.CmdLine->QLineEdit::text(), "look");

    form.session().socketRead("\xff\xfc\x01\r\n");
    EXPECT_EQ(form.CmdLine->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(form.session().terminal.ScrollbackBuffer().find("hunter2"), std::string::npos);
}

} // namespace
} // namespace tw
