// The map window's mouse and keys on the xcb platform, through real events on the picture.
// These run under Xvfb and skip themselves on any other platform.
#include "core/qt/CommandLineEdit.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "TestMainForm.h"
#include "map/qt/MapFace.h"
#include "map/qt/TMapForm.h"
#include "map/qt/TRoomEditDLG.h"
#include "map/qt/TVirtualDLG.h"
#include "ModalDriver.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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

} // namespace
} // namespace tw
