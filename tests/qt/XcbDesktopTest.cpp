// The main window among other programs on the X server, with a window manager (openbox)
// running: pasting from another program's clipboard with real key presses (xdotool), and the
// window titles as the X server holds them (xprop). These run under Xvfb and skip themselves
// elsewhere.
#include "core/qt/ApplicationNames.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/TMainForm.h"
#include "TestMainForm.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace tw {
namespace {

// Runs a small X tool to its end and gives its output.
QString runTool(const QString& program, const QStringList& arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8"); // titles come back as UTF-8, not as octal escapes
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(10000))
        ADD_FAILURE() << program.toStdString() << " did not finish";
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A window's title as a property on the X server ("" when it is missing).
std::string titleProperty(const QWidget& window, const char* atom)
{
    const QString out = runTool("xprop", {"-id", QString::number(window.winId()), "-notype", atom});
    const QString prefix = QString(atom) + " = \"";
    if (!out.startsWith(prefix))
        return {};
    const QString rest = out.mid(prefix.size()).trimmed();
    return rest.left(rest.size() - 1).toStdString();
}

struct XcbDesktop : ::testing::Test {
    QTemporaryDir dir;
    std::vector<std::string> boxes;
    std::unique_ptr<TMainForm> form;

    static inline QProcess* windowManager = nullptr;

    static void SetUpTestSuite()
    {
        if (QGuiApplication::platformName() != "xcb")
            return;
        windowManager = new QProcess;
        windowManager->start("openbox", {"--sm-disable"});
        // Openbox is ready once it frames a window of ours.
        QWidget probe;
        probe.show();
        const QString id = QString::number(probe.winId());
        const auto framed = [&] { return runTool("xprop", {"-id", id, "_NET_FRAME_EXTENTS"}).contains(" = "); };
        if (!QTest::qWaitFor(framed, 20000))
            ADD_FAILURE() << "openbox did not start";
    }
    static void TearDownTestSuite()
    {
        if (windowManager) {
            windowManager->kill();
            windowManager->waitForFinished(5000);
        }
        delete windowManager;
        windowManager = nullptr;
    }

    // Another program that owns the clipboard with this text, as long as the test runs.
    std::unique_ptr<QProcess> clipboardOwner;
    void ownClipboardElsewhere(const QString& text)
    {
        clipboardOwner = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TARNWICK_TEST_CLIPBOARD_OWNER", text);
        clipboardOwner->setProcessEnvironment(env);
        clipboardOwner->start(QCoreApplication::applicationFilePath(), {});
        ASSERT_TRUE(clipboardOwner->waitForReadyRead(10000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::clipboard()->text() == text; }, 5000));
        ASSERT_FALSE(QApplication::clipboard()->ownsClipboard());
    }
    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs the xcb platform (run under Xvfb)";
        form = test::testMainForm(dir, boxes);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        // The window manager may refuse a program's own request for the focus; a pager's
        // request it always follows.
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get(), 1000))
            runTool("xdotool", {"windowactivate", QString::number(form->winId())});
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override
    {
        if (clipboardOwner) {
            clipboardOwner->kill();
            clipboardOwner->waitForFinished(5000);
        }
    }

    void focusCommandLine()
    {
        form->activateWindow();
        form->CmdLine->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->CmdLine->hasFocus(); }, 5000));
    }
    static void press(const char* keys) { runTool("xdotool", {"key", "--clearmodifiers", keys}); }
    const std::vector<std::string>& history() { return form->session().history.entries(); }
    const std::string& shown() { return form->session().terminal.ScrollbackBuffer(); }
};

TEST_F(XcbDesktop, EveryLinePastedFromAnotherProgramIsEnteredInTurn)
{
    ownClipboardElsewhere("s\nlook\r\nsay hi");
    focusCommandLine();
    form->CmdLine->QLineEdit::setText("old");
    form->CmdLine->selectAll();
    press("ctrl+v");
    ASSERT_TRUE(QTest::qWaitFor([&] { return history().size() == 2; }, 5000));
    EXPECT_EQ(history(), (std::vector<std::string>{"s", "look"}));
    EXPECT_EQ(shown(), "s\r\nlook\r\n");
    EXPECT_EQ(form->CmdLine->text(), "say hi"); // the unfinished line waits for Enter
    press("Return");
    ASSERT_TRUE(QTest::qWaitFor([&] { return history().size() == 3; }, 5000));

    // Shift+Insert, and the middle button with the X selection, paste the same way.
    press("shift+Insert");
    const std::string twice = "s\r\nlook\r\nsay hi\r\ns\r\nlook\r\n";
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown() == twice; }, 5000)) << shown();
    form->CmdLine->QLineEdit::setText("");
    QApplication::clipboard()->setText("n\ne\n", QClipboard::Selection);
    const QPoint middle = form->CmdLine->mapToGlobal(form->CmdLine->rect().center());
    runTool("xdotool", {"mousemove", QString::number(middle.x()), QString::number(middle.y()), "click", "2"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown() == twice + "n\r\ne\r\n"; }, 5000)) << shown();
    EXPECT_EQ(history().back(), "e");
}

TEST_F(XcbDesktop, ManyPastedLinesAreSentOnlyAfterTheQuestion)
{
    QString lines;
    for (int i = 0; i < 12; ++i)
        lines += "x\n";
    ownClipboardElsewhere(lines);
    focusCommandLine();
    form->messageBoxHook = nullptr; // the real question box
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        QString asked, caption;
        QTimer answering;
        QObject::connect(&answering, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !asked.isEmpty())
                return;
            asked = box->text();
            caption = box->windowTitle();
            box->button(answer)->click();
        });
        answering.start(10);
        press("ctrl+v");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.isEmpty(); }, 5000));
        EXPECT_EQ(asked, "Send 12 lines to the game?");
        EXPECT_EQ(caption, "Tarnwick 5");
        EXPECT_EQ(history().size(), answer == QMessageBox::Yes ? 1u : 0u);
    }
    EXPECT_EQ(shown(), QString(lines).replace("\n", "\r\n").toStdString());
}

TEST_F(XcbDesktop, EveryWindowTitleIsExactlyItsCaption)
{
    setApplicationNames(); // as the program starts
    int checked = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        // The room editor's caption is set only as it opens for a room.
        if (qobject_cast<QMenu*>(window) || window->windowType() == Qt::Popup ||
            window->windowType() == Qt::ToolTip || window->windowTitle().isEmpty())
            continue;
        const bool wasVisible = window->isVisible();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window)) << window->objectName().toStdString();
        const std::string caption = window->windowTitle().toStdString();
        EXPECT_EQ(titleProperty(*window, "_NET_WM_NAME"), caption);
        EXPECT_EQ(titleProperty(*window, "WM_NAME"), caption);
        if (!wasVisible)
            window->hide();
        ++checked;
    }
    EXPECT_GE(checked, 20);

    // A message box, made and shown only for its question.
    form->messageBoxHook = nullptr;
    std::string title;
    QTimer::singleShot(0, [&] {
        if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000))
            return;
        QWidget* box = QApplication::activeModalWidget();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(box));
        title = titleProperty(*box, "_NET_WM_NAME");
        qobject_cast<QMessageBox*>(box)->accept();
    });
    form->messageBox("Error", "No THEN found with #IF!", MsgButtons::Ok);
    EXPECT_EQ(title, "Error");
}

} // namespace
} // namespace tw
