// The living map in real windows on the xcb platform, read back from the X server: a walk of
// the practice world drawn step by step, the tip on a rest of the mouse and the indicator.
// These run under Xvfb and skip themselves on any other platform.
#include "core/qt/CommandLineEdit.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/SwitchIndicator.h"
#include "core/qt/TMainForm.h"
#include "TestMainForm.h"
#include "map/qt/MapFace.h"
#include "map/qt/TMapForm.h"

#include "PracticeWorldStart.h"

#include <QAction>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QToolTip>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

const QColor Blue(0, 0, 255), Maroon(128, 0, 0);

struct XcbLivingMap : ::testing::Test {
    std::unique_ptr<practice::PracticeServer> world;
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> boxes;
    TMapForm* mapForm = nullptr;
    std::size_t mark = 0;

    void SetUp() override
    {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs the xcb platform (run under Xvfb)";
        test::startPracticeWorld(world);
        if (!world)
            return;
        form = test::testMainForm(dir, boxes);
        form->show();
        mapForm = form->MapForm;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    const std::string& buffer() { return form->session().terminal.ScrollbackBuffer(); }
    bool answered(const char* text)
    {
        return QTest::qWaitFor([&] { return buffer().find(text, mark) != std::string::npos; }, 5000);
    }
    void type(const std::string& line)
    {
        mark = buffer().size();
        form->CmdLine->setText(line);
        form->EnterButtonClick();
    }
    void logIn()
    {
        form->session().connection.connectTo("Practice", "127.0.0.1", std::to_string(world->port()));
        ASSERT_TRUE(answered("wish to be known? "));
        type("Walker");
        ASSERT_TRUE(answered("Keep these statistics? (y/n)"));
        type("y");
        ASSERT_TRUE(answered("Town Gate"));
        ASSERT_TRUE(answered("> "));
    }
    // The colour the X server shows at a cell's centre in the map window.
    QColor shownAt(int x, int y) const
    {
        const QPoint at = mapForm->Face->mapTo(mapForm, QPoint(x * 30 - 15, y * 30 - 15));
        return mapForm->screen()->grabWindow(mapForm->winId(), at.x(), at.y(), 1, 1).toImage().pixelColor(0, 0);
    }
};

// Following, the X server shows the disc in each room the moment the game names it, on the
// player's level; switched off, the window keeps what it drew (the old behaviour).
TEST_F(XcbLivingMap, AWalkOfThePracticeWorldIsDrawnAtEveryStep)
{
    logIn();
    form->session().map.active = true;
    form->Automap1Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mapForm));
    mapForm->action("FollowWalk1")->trigger();
    const MapModel& map = form->session().map;
    const struct {
        const char* command;
        const char* room;
        Cell cell;
    } walk[] = {{"n", "South Road", {15, 14, 5}}, {"d", "Damp Tunnel", {15, 14, 4}},
                {"u", "South Road", {15, 14, 5}}, {"n", "Town Square", {15, 13, 5}},
                {"e", "Fountain Street", {16, 13, 5}}, {"e", "East Road", {17, 13, 5}},
                {"s", "Herb Garden", {17, 14, 5}}};
    Cell before = map.position();
    for (const auto& step : walk) {
        SCOPED_TRACE(step.command);
        type(step.command);
        ASSERT_TRUE(answered(step.room));
        ASSERT_TRUE(QTest::qWaitFor([&] { return map.position() == step.cell; }, 5000));
        EXPECT_EQ(map.ViewLevel, step.cell.level);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownAt(step.cell.x, step.cell.y) == Maroon; }, 5000));
        if (before.level == step.cell.level)
            EXPECT_NE(shownAt(before.x, before.y), Maroon);
        before = step.cell;
    }

    mapForm->action("FollowWalk1")->trigger();
    type("w");
    ASSERT_TRUE(answered("Stables"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return map.position() == Cell{16, 14, 5}; }, 5000));
    mapForm->Face->repaint();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownAt(17, 14) == Maroon; }, 5000));
    EXPECT_NE(shownAt(16, 14), Maroon);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(XcbLivingMap, ARestOnARoomShowsItsTitleAndExits)
{
    logIn();
    form->session().map.active = true;
    type("n");
    ASSERT_TRUE(answered("South Road"));
    form->Automap1Click();
    mapForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(mapForm));
    QTest::mouseMove(mapForm->Face, QPoint(15 * 30 - 15, 14 * 30 - 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mapForm->windowTitle() == "AutoMap (15,14,5)"; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000));
    // The title as read, on one line with the exits below it.
    EXPECT_TRUE(QToolTip::text().contains(">South Road<br>Exits: South<")) << QToolTip::text().toStdString();
    QToolTip::hideText();
    // The game's text is never taken for markup.
    form->session().map.room(15, 14, 5)->title.set("\x1b[1;32m<b>Bold</b> Road\x1b[0m");
    QTest::mouseMove(mapForm->Face, QPoint(15 * 30 - 15, 15 * 30 - 10));
    QTest::mouseMove(mapForm->Face, QPoint(15 * 30 - 12, 14 * 30 - 10));
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::text().contains("&lt;b&gt;Bold&lt;/b&gt; Road<br>"); }, 5000))
        << QToolTip::text().toStdString();
    QToolTip::hideText();
}

// Real key events on the command line, the map window's menu and a failed log write switch
// the indicator; the X server shows it inside the game's panel, which keeps its place.
TEST_F(XcbLivingMap, TheIndicatorShowsTheSwitchesInsideTheGamesPanel)
{
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QRect panel = form->MudName->geometry();
    SwitchIndicator* shown = form->Indicator;
    const auto picture = [&] {
        const QPoint at = form->MudName->mapTo(form.get(), QPoint());
        return form->screen()->grabWindow(form->winId(), at.x(), at.y(), panel.width(), panel.height()).toImage();
    };
    const QImage idle = picture();
    const auto ctrl = [&](Qt::Key key) { QTest::keyClick(form->CmdLine, key, Qt::ControlModifier); };
    ctrl(Qt::Key_A);
    EXPECT_EQ(shown->text(), "MAP");
    EXPECT_TRUE(mapForm->action("Activate1")->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return picture() != idle; }, 5000));
    EXPECT_EQ(form->MudName->geometry(), panel);
    form->session().LogFileName = dir.filePath("game.log").toStdString();
    ctrl(Qt::Key_L);
    EXPECT_EQ(shown->text(), "MAP LOG");
    mapForm->action("Activate1")->trigger();
    EXPECT_EQ(shown->text(), "LOG");
    form->resize(form->width() + 200, form->height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->MudName->width() > panel.width(); }, 5000));
    EXPECT_LE(shown->geometry().right(), form->MudName->width() - form->MudName->frameWidth());
    EXPECT_GT(shown->geometry().left(), form->MudName->width() * 3 / 4);
    // The log file was never opened: the tick's write fails and switches logging off.
    form->session().sessionLog.LogBlock("text");
    form->TimerPop();
    EXPECT_FALSE(shown->isVisible());
}

// Real key presses through the X server: Ctrl+A switches the automapper when A is let go while
// Ctrl is still held; let go of Ctrl first (as `xdotool key ctrl+a` does) and nothing happens,
// which the indicator now shows. Neither order types an "a".
TEST_F(XcbLivingMap, CtrlASwitchesOnlyWhenAIsLetGoFirst)
{
    if (QStandardPaths::findExecutable("xdotool").isEmpty())
        GTEST_SKIP() << "needs xdotool";
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->CmdLine->setFocus();
    const struct {
        QStringList keys;
        const char* shown;
        const char* status;
    } cases[] = {
        {{"keydown", "ctrl", "keydown", "a", "keyup", "a", "keyup", "ctrl"}, "MAP", "AutoMap activated!"},
        {{"key", "ctrl+a"}, "MAP", ""},
        {{"keydown", "ctrl", "keydown", "a", "keyup", "a", "keyup", "ctrl"}, "", "AutoMap deactivated."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys.join(' ').toStdString());
        form->CmdLine->QLineEdit::setText("");
        form->Status->setText("");
        QProcess::execute("xdotool", c.keys + QStringList{"key", "x"});
        // The x comes after the other keys: once it shows, they have all been handled.
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->CmdLine->text() == "x"; }, 5000)) << form->CmdLine->text();
        EXPECT_EQ(form->Indicator->text(), c.shown);
        EXPECT_EQ(form->Status->text(), c.status);
    }
}

} // namespace
} // namespace tw
