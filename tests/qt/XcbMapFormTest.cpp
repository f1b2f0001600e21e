// The map window's mouse and keys on the xcb platform, through real events on the picture.
// These run under Xvfb and skip themselves on any other platform.
#include "core/qt/CommandLineEdit.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "TestMainForm.h"
#include "map/qt/MapFace.h"
#include "map/qt/TLevelDLG.h"
#include "map/qt/TMapForm.h"
#include "map/qt/TRoomEditDLG.h"
#include "map/qt/TVirtualDLG.h"
#include "ModalDriver.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct XcbMapForm : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> boxes;
    TMapForm* mapForm = nullptr;
    MapModel* map = nullptr;

    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs the xcb platform (run under Xvfb)";
        form = test::testMainForm(dir, boxes);
        form->show();
        mapForm = form->MapForm;
        map = &form->session().map;
        form->Automap1Click();
        mapForm->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(mapForm));
    }
    static QPoint centre(int x, int y) { return {x * 30 - 15, y * 30 - 15}; }
    // The pointer really moves on X; the window hears of it when the server says so.
    void hover(int x, int y)
    {
        QTest::mouseMove(mapForm->Face, centre(x, y));
        const QString caption = QString("AutoMap (%1,%2,%3)").arg(x).arg(y).arg(map->ViewLevel);
        EXPECT_TRUE(QTest::qWaitFor([&] { return mapForm->windowTitle() == caption; }, 5000))
            << mapForm->windowTitle().toStdString() << " instead of " << caption.toStdString();
    }
    void click(int x, int y, Qt::MouseButton b, Qt::KeyboardModifiers mods = {})
    {
        hover(x, y);
        QTest::mouseClick(mapForm->Face, b, mods, centre(x, y));
    }
};

TEST_F(XcbMapForm, MouseHoversCreatesMovesEditsAndWalks)
{
    hover(13, 14);

    click(16, 15, Qt::LeftButton);
    EXPECT_TRUE(map->RoomExists(16, 15, 5));
    EXPECT_EQ(map->room(15, 15, 5)->exit(dir::East), (MapExit{16, 15, 5}));
    click(17, 15, Qt::LeftButton);
    click(17, 15, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(map->position(), (Cell{17, 15, 5}));
    EXPECT_TRUE(map->RoomExists(17, 15, 5));
    click(14, 15, Qt::LeftButton, Qt::ControlModifier); // empty: nothing
    EXPECT_EQ(map->position(), (Cell{17, 15, 5}));
    EXPECT_FALSE(map->RoomExists(14, 15, 5));

    test::whenModal(*form->RoomEditDLG, [&] {
        EXPECT_EQ(form->RoomEditDLG->windowTitle(), "Room Editor - (14,13,5)");
        form->RoomEditDLG->reject();
    });
    click(14, 13, Qt::RightButton);
    EXPECT_FALSE(map->RoomExists(14, 13, 5));
    // Ctrl wins over the right button too.
    click(16, 15, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(map->position(), (Cell{16, 15, 5}));

    // The middle button walks the known way; the game is sent each step as if typed.
    const std::string& shown = form->session().terminal.ScrollbackBuffer();
    click(15, 15, Qt::MiddleButton);
    EXPECT_EQ(map->position(), (Cell{16, 15, 5})); // it moves when the game answers
    EXPECT_TRUE(shown.ends_with("w\r\n")) << shown;
    EXPECT_TRUE(map->RoomExists(15, 15, 5)); // and creates or deletes nothing
    click(13, 13, Qt::MiddleButton);
    EXPECT_EQ(form->Status->text(), "No known way there.");
    EXPECT_FALSE(map->RoomExists(13, 13, 5));
}

TEST_F(XcbMapForm, KeysOfTheMapWindowAndItsDialogs)
{
    QTest::keyClick(mapForm, Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(map->ViewLevel, 6);
    QTest::keyClick(mapForm, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(map->ViewLevel, 5);
    QTest::keyClick(mapForm, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(map->active);

    // Escape in the description goes to Cancel; a second Escape cancels.
    TRoomEditDLG& ed = *form->RoomEditDLG;
    test::whenModal(ed, [&] {
        ed.DescMemo->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return ed.DescMemo->hasFocus(); }, 5000));
        QTest::keyClick(ed.DescMemo, Qt::Key_Escape);
        EXPECT_TRUE(ed.CancelBtn->hasFocus());
        EXPECT_TRUE(ed.isVisible());
        QTest::keyClick(ed.CancelBtn, Qt::Key_Escape);
    });
    hover(14, 13);
    QTest::mouseClick(mapForm->Face, Qt::RightButton, {}, centre(14, 13));
    EXPECT_FALSE(ed.isVisible());
    EXPECT_FALSE(map->RoomExists(14, 13, 5));

    // Enter in the walk-through's command box runs the command; Escape does not close it.
    TVirtualDLG& v = *form->VirtualDLG;
    test::whenModal(v, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return v.VirtualCmd->hasFocus(); }, 5000));
        QTest::keyClicks(v.VirtualCmd, "look");
        QTest::keyClick(v.VirtualCmd, Qt::Key_Return);
        EXPECT_TRUE(v.VirtualScreen->toPlainText().contains("> LOOK\n\n(15,15,5)"));
        QTest::keyClick(v.VirtualCmd, Qt::Key_Escape);
        EXPECT_TRUE(v.isVisible());
        QTest::keyClicks(v.VirtualCmd, "q");
        QTest::keyClick(v.VirtualCmd, Qt::Key_Return);
    });
    // Without a window manager nobody gives the map window the focus back after the editor.
    mapForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mapForm));
    QTest::keyClick(mapForm, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(v.isVisible());

    mapForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mapForm));
    QTest::keyClick(mapForm, Qt::Key_Escape);
    EXPECT_FALSE(mapForm->isVisible());
}

// The numbers (window ids, cardinals) the X server holds in a property of a window, or of the
// root window without an id.
std::vector<unsigned long> xprop(const QString& property, WId window = 0)
{
    QProcess p;
    p.start("xprop", window ? QStringList{"-id", QString::number(window), property} : QStringList{"-root", property});
    p.waitForFinished(5000);
    const QString text = QString::fromLatin1(p.readAllStandardOutput());
    std::vector<unsigned long> out;
    const qsizetype from = std::max(text.indexOf('#'), text.indexOf('='));
    if (from < 0)
        return out;
    for (const QString& part : text.mid(from + 1).split(',', Qt::SkipEmptyParts))
        out.push_back(part.trimmed().toULong(nullptr, 0));
    return out;
}

// Under a window manager (tools/run-under-xvfb.sh starts openbox for tests named XcbWm*):
// frames, which window gets the focus back when a dialog closes, and the buttons a window asks
// for.
struct XcbWmMapWindows : ::testing::Test {
    // How long the window manager may take on a busy machine.
    static constexpr int Patience = 20000;
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> boxes;
    TMapForm* mapForm = nullptr;

    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs the xcb platform (run under Xvfb)";
        for (const char* tool : {"xprop", "xdotool"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                GTEST_SKIP() << "needs " << tool;
        // A window manager that has gone leaves its property on the root window behind: ask
        // for its check window too.
        const std::vector<unsigned long> check = xprop("_NET_SUPPORTING_WM_CHECK");
        if (check.empty() || QProcess::execute("xprop", {"-id", QString::number(check.front()),
                                                         "_NET_SUPPORTING_WM_CHECK"}) != 0)
            GTEST_SKIP() << "needs a window manager";
        form = test::testMainForm(dir, boxes);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get(), Patience));
        // What the player does: click the main window, press Ctrl+Z. The window manager gives
        // the focus only to what the player asked for.
        QProcess::execute("xdotool", {"windowactivate", "--sync", QString::number(form->winId())});
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get(), Patience));
        mapForm = form->MapForm;
        QProcess::execute("xdotool", {"key", "ctrl+z"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return mapForm->isVisible(); }, Patience));
        ASSERT_TRUE(QTest::qWaitForWindowActive(mapForm, Patience));
    }
    // The map window has the focus and lies over the main window.
    bool mapOnTop()
    {
        const std::vector<unsigned long> stack = xprop("_NET_CLIENT_LIST_STACKING");
        const auto at = [&](WId id) { return std::find(stack.begin(), stack.end(), id) - stack.begin(); };
        const std::vector<unsigned long> active = xprop("_NET_ACTIVE_WINDOW");
        return active == std::vector<unsigned long>{mapForm->winId()} && at(mapForm->winId()) > at(form->winId()) &&
               at(mapForm->winId()) < std::ptrdiff_t(stack.size());
    }
};

// The Motif hints' functions: what a window lets the window manager offer.
constexpr unsigned long MwmClose = 0x20, MwmMinimize = 0x08, MwmMaximize = 0x10, MwmResize = 0x02;

TEST_F(XcbWmMapWindows, DialogsGiveTheMapBackItsPlaceAndAskForTheirButtons)
{
    // The map window's size counts its frame, once the window manager has put one around it.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return mapForm->frameGeometry().size() == QSize(508, 367) && mapForm->size() != QSize(508, 367);
    }, Patience)) << mapForm->frameGeometry().width() << "x" << mapForm->frameGeometry().height();

    struct Dialog {
        QDialog* dialog;
        std::function<void()> open;
        unsigned long wanted, unwanted; // Motif functions asked for and not
    };
    const Dialog dialogs[] = {
        {form->LevelDLG, [&] { mapForm->Goto1Click(); }, 0, MwmClose | MwmMinimize | MwmMaximize},
        {form->RoomEditDLG, [&] { mapForm->MapFaceClick(); }, MwmClose, MwmMinimize | MwmMaximize},
        {form->VirtualDLG, [&] { mapForm->Virtual1Click(); }, MwmResize, MwmClose | MwmMinimize | MwmMaximize},
    };
    for (const Dialog& d : dialogs) {
        SCOPED_TRACE(d.dialog->objectName().toStdString());
        test::whenModal(*d.dialog, [&] {
            EXPECT_EQ(d.dialog->parentWidget(), mapForm);
            const std::vector<unsigned long> hints = xprop("_MOTIF_WM_HINTS", d.dialog->winId());
            ASSERT_GE(hints.size(), 2u);
            EXPECT_EQ(hints[1] & d.wanted, d.wanted) << hints[1];
            EXPECT_EQ(hints[1] & d.unwanted, 0u) << hints[1];
            d.dialog->reject();
        });
        d.open();
        EXPECT_TRUE(QTest::qWaitFor([&] { return mapOnTop(); }, Patience));
    }
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// The player clicks into the main window to type: the map window goes under it, unless it is
// kept on top, as a tool window of the main one.
TEST_F(XcbWmMapWindows, KeptOnTopTheMapStaysAboveTheMainWindowWhenItIsClicked)
{
    const auto place = [&](WId id) {
        const std::vector<unsigned long> stack = xprop("_NET_CLIENT_LIST_STACKING");
        return std::find(stack.begin(), stack.end(), id) - stack.begin();
    };
    // Each step waits until the window manager has done what it was asked.
    const auto clickMainWindow = [&] {
        QProcess::execute("xdotool", {"mousemove", "--window", QString::number(form->winId()), "40", "120", "click", "1"});
        return QTest::qWaitFor([&] {
            return form->isActiveWindow() && xprop("_NET_ACTIVE_WINDOW") == std::vector<unsigned long>{form->winId()};
        }, Patience);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return mapOnTop(); }, Patience));
    ASSERT_TRUE(clickMainWindow());
    EXPECT_TRUE(QTest::qWaitFor([&] { return place(mapForm->winId()) < place(form->winId()); }, Patience));

    mapForm->action("KeepOnTop1")->trigger();
    form->Automap1Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return mapOnTop(); }, Patience));
    ASSERT_TRUE(clickMainWindow());
    QTest::keyClicks(form->CmdLine, "look");
    EXPECT_TRUE(QTest::qWaitFor([&] { return place(mapForm->winId()) > place(form->winId()); }, Patience));
    EXPECT_LT(place(mapForm->winId()), std::ptrdiff_t(xprop("_NET_CLIENT_LIST_STACKING").size()));
    EXPECT_TRUE(mapForm->isVisible());
    EXPECT_TRUE(form->isActiveWindow());
}

} // namespace
} // namespace tw
