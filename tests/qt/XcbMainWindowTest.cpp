// Keys and focus of the main window on the xcb platform, where the X11 key bindings of the
// edit boxes apply. These run under Xvfb and skip themselves on any other platform.
#include "core/qt/AboutBox.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/PlainView.h"
#include "core/qt/TMainForm.h"
#include "TestMainForm.h"
#include "settings/qt/TMUDListForm.h"
#include "ModalDriver.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace tw {
namespace {

struct XcbMainWindow : test::XcbMainFormTest {

    // A modal dialog has closed: the window manager gives the main window the focus back (Xvfb
    // runs without one, so the test does what it would).
    void backFromDialog()
    {
        form->activateWindow();
        waitForFocus(form->CmdLine);
    }

    void waitForFocus(QWidget* widget)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return widget->hasFocus(); }, 5000))
            << "focus is on " << (QApplication::focusWidget()
                                      ? QApplication::focusWidget()->objectName().toStdString()
                                      : std::string("nothing"));
    }
};

// The menu items that carry a shortcut, with their keys.
struct ShortcutRow {
    const char* item;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::ControlModifier;
};
const ShortcutRow Shortcuts[] = {
    {"Cut1", Qt::Key_X},        {"Copy1", Qt::Key_C},           {"Paste1", Qt::Key_V},
    {"Find1", Qt::Key_F},       {"FindAgain1", Qt::Key_G},      {"MagicMirror1", Qt::Key_M},
    {"TriggersToggle1", Qt::Key_T}, {"Automap1", Qt::Key_Z},    {"RunEditor1", Qt::Key_E},
    {"SendMessage1", Qt::Key_S}, {"Lookup1", Qt::Key_N},
    {"Channels1", Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier},
};

TEST_F(XcbMainWindow, EveryMenuShortcutReachesItsItemFromTheCommandLineAndThePlainView)
{
    // The handlers are taken off so that only the routing of the keys is seen.
    std::map<std::string, int> fired;
    QAction* viewLog = form->action("ViewLog1");
    for (const char* name : {"Cut1", "Copy1", "Paste1", "Find1", "FindAgain1", "MagicMirror1",
                             "TriggersToggle1", "Automap1", "ViewLog1", "RunEditor1",
                             "SendMessage1", "Lookup1", "Channels1"}) {
        QAction* a = form->action(name);
        QObject::disconnect(a, &QAction::triggered, form.get(), nullptr);
        QObject::connect(a, &QAction::triggered, [&fired, name] { ++fired[name]; });
    }

    // The colour view: the command line has the focus; Find is off and Ctrl+G views the log.
    form->CmdLine->setFocus();
    waitForFocus(form->CmdLine);
    form->CmdLine->setText("north");
    for (const ShortcutRow& row : Shortcuts) {
        fired.clear();
        QTest::keyClick(QApplication::focusWidget(), row.key, row.modifiers);
        const std::string item = row.key == Qt::Key_G ? "ViewLog1" : row.item;
        const bool disabled = std::string(row.item) == "Find1";
        EXPECT_EQ(fired[item], disabled ? 0 : 1) << "command line, " << item;
        int total = 0;
        for (const auto& [name, count] : fired)
            total += count;
        EXPECT_EQ(total, disabled ? 0 : 1) << "command line, " << row.item;
        EXPECT_EQ(form->CmdLine->QLineEdit::text(), "north") << "command line, " << row.item;
    }

    // The plain view: Find and Find Again take their keys, Ctrl+G no longer views the log.
    form->action("MagicMirror1")->setChecked(false);
    form->MagicMirror1Click();
    waitForFocus(form->Terminal);
    ASSERT_TRUE(viewLog->shortcut().isEmpty());
    for (const ShortcutRow& row : Shortcuts) {
        fired.clear();
        QTest::keyClick(QApplication::focusWidget(), row.key, row.modifiers);
        EXPECT_EQ(fired[row.item], 1) << "plain view, " << row.item;
        EXPECT_EQ(fired["ViewLog1"], 0) << "plain view, " << row.item;
    }
}

TEST_F(XcbMainWindow, TheLastLineStaysSelectedWhenADialogGivesTheFocusBack)
{
    form->CmdLine->setFocus();
    waitForFocus(form->CmdLine);
    QTest::keyClicks(form->CmdLine, "look");
    QTest::keyClick(form->CmdLine, Qt::Key_Return);
    ASSERT_EQ(form->CmdLine->selectedText(), "look");

    test::whenModal(*form->About, [&] { form->About->accept(); });
    form->About2Click();
    backFromDialog();
    EXPECT_EQ(form->CmdLine->selectedText(), "look") << "after About";

    test::whenModal(*form->MUDListForm, [&] { form->MUDListForm->reject(); });
    form->Connect1Click();
    backFromDialog();
    EXPECT_EQ(form->CmdLine->selectedText(), "look") << "after MUD > Connect";

    // So the next word replaces the old line instead of being added to it.
    QTest::keyClicks(form->CmdLine, "north");
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "north");
}

} // namespace
} // namespace tw
