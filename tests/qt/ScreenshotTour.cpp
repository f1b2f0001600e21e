// Pictures of the real windows for the README and for looking over every window: the main
// window after a walk through the practice world with the automapper on, the map window and
// each dialog. Runs only when TARNWICK_SCREENSHOTS names a folder, on the xcb platform
// (tools/take-screenshots.sh does both); every other run skips it.
#include "core/qt/ChannelsWindow.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/FindBar.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "map/qt/MapFace.h"
#include "map/qt/TMapForm.h"
#include "script/qt/ListDialogSupport.h"
#include "TestMainForm.h"

#include "PracticeWorldStart.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <gtest/gtest.h>

#include <functional>

namespace tw {
namespace {

struct ScreenshotTour : ::testing::Test {
    QString folder;
    std::unique_ptr<practice::PracticeServer> world;
    std::unique_ptr<TMainForm> form;
    QTemporaryDir dir;
    std::vector<std::string> boxes;
    std::size_t mark = 0;

    void SetUp() override
    {
        folder = qEnvironmentVariable("TARNWICK_SCREENSHOTS");
        if (folder.isEmpty() || QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "set TARNWICK_SCREENSHOTS and run under Xvfb (tools/take-screenshots.sh)";
        QDir().mkpath(folder);
        test::startPracticeWorld(world);
        if (!world)
            return;

        // The player's copy of the sample options file: its triggers, aliases and MUD list.
        const QString sample = dir.filePath("practice.cfg");
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARNWICK_SOURCE_DIR "/practice/practice.cfg"), sample));
        QFile::setPermissions(sample, QFile::ReadOwner | QFile::WriteOwner);
        form = test::testMainForm(dir, boxes);
        form->loadAtStart(localPath(sample));
        form->resize(1000, 680);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->TimerPop();
    }

    void TearDown() override
    {
        if (form)
            form->session().markOptionsSaved();
    }

    const std::string& buffer() { return form->session().terminal.ScrollbackBuffer(); }

    void type(const std::string& line, const std::string& answer)
    {
        mark = buffer().size();
        form->CmdLine->setText(line);
        form->EnterButtonClick();
        ASSERT_TRUE(QTest::qWaitFor([&] { return buffer().find(answer, mark) != std::string::npos; }, 5000))
            << line;
    }

    void save(QWidget& w, const QString& name)
    {
        QTest::qWait(150); // let the window paint what arrived last
        EXPECT_TRUE(w.grab().save(folder + "/" + name + ".png")) << name.toStdString();
    }

    // Opens a dialog the way the menu does and pictures it once it is shown; a dialog run
    // with exec() is closed again from the timer.
    void saveDialog(const QString& name, const std::function<void()>& open)
    {
        bool taken = false;
        int seen = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dlg = qobject_cast<QDialog*>(w);
                if (taken || !dlg || !dlg->isVisible() || ++seen < 4)
                    continue;
                EXPECT_TRUE(dlg->grab().save(folder + "/" + name + ".png")) << name.toStdString();
                taken = true;
                dlg->reject();
                dlg->hide();
            }
        });
        timer.start(50);
        open();
        EXPECT_TRUE(QTest::qWaitFor([&] { return taken; }, 5000)) << name.toStdString();
    }
};

TEST_F(ScreenshotTour, EveryWindowAfterAWalk)
{
    form->session().connection.connectTo("Practice World", "127.0.0.1", std::to_string(world->port()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Status->text() == "Connected!"; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return buffer().find("wish to be known? ") != std::string::npos; }, 5000));
    type("Tarn", "Keep these statistics? (y/n)");
    type("y", "Town Gate");
    form->session().map.active = true;
    for (const auto& [step, room] : std::vector<std::pair<std::string, std::string>>{
             {"n", "South Road"}, {"s", "Town Gate"}, {"ne", "Stables"}, {"e", "Herb Garden"},
             {"n", "East Road"}, {"look", "East Road"}})
        type(step, room);
    form->CmdLine->setText("say hello");
    save(*form, "main-window");

    // The vitals gauges and the Channels window, with what a game sends beside its text.
    Session& session = form->session();
    session.vitals = {{"HP", 34, 40}, {"MP", 25, 25}, {"MV", 98, 100}};
    form->vitalsChanged();
    save(*form, "vitals");
    for (const ChannelText& line : {ChannelText{"say", "Tarn", "You say 'hello'"},
                                    ChannelText{"gossip", "Ann", "\x1b[1;33mAnyone for the crypt?\x1b[0m"},
                                    ChannelText{"say", "Tom", "Tom says 'the stables are north-east'"}}) {
        session.channels.add(line);
        form->channelLineAdded();
    }
    form->action("Channels1")->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Channels));
    save(*form->Channels, "channels");
    form->action("Channels1")->trigger();
    session.vitals.clear();
    form->vitalsChanged();

    // The long history: a page back while the game goes on, a word found in the upper pane.
    form->action("LongHistory1")->trigger();
    type("flood 2000", "Flood line 002000");
    QTest::keyClick(form->CmdLine, Qt::Key_PageUp);
    QTest::keyClick(form->CmdLine, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClicks(form->FindBar1->edit(), "line 001500");
    QTest::keyClick(form->FindBar1->edit(), Qt::Key_Return);
    form->CmdLine->setText("look");
    form->EnterButtonClick();
    save(*form, "split-view");
    QTest::keyClick(form->FindBar1->edit(), Qt::Key_Escape);
    QTest::keyClick(form->CmdLine, Qt::Key_End);
    form->action("LongHistory1")->trigger();

    form->Automap1Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->MapForm));
    form->MapForm->resize(520, 400);
    save(*form->MapForm, "map-window");
    const Cell here = form->session().map.position();
    const auto middleOf = [](int cell) { return (cell - 1) * MapFace::CellPixels + MapFace::CellPixels / 2; };
    const QPoint room(middleOf(here.x), middleOf(here.y));
    form->MapForm->MapFaceMouseMove(room);
    saveDialog("room-editor", [&] { form->MapForm->MapFaceMouseDown(room, Qt::RightButton, Qt::NoModifier); });
    saveDialog("level", [&] { form->MapForm->Goto1Click(); });
    saveDialog("virtual-walk", [&] { form->MapForm->Virtual1Click(); });

    // Following the walk, with the tip of the room the player rests the mouse on; the tip is a
    // window of its own, so the screen is pictured where the map window lies.
    form->MapForm->action("FollowWalk1")->trigger();
    for (const auto& [step, room] : std::vector<std::pair<std::string, std::string>>{
             {"w", "Fountain Street"}, {"w", "Town Square"}, {"n", "Market North"}, {"w", "Temple"}, {"s", "Library"}})
        type(step, room);
    const Cell now = form->session().map.position();
    form->MapForm->activateWindow();
    QTest::mouseMove(form->MapForm->Face, QPoint(middleOf(now.x), middleOf(now.y)));
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000));
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel"))
            EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    const QRect frame = form->MapForm->frameGeometry();
    EXPECT_TRUE(form->MapForm->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                    .save(folder + "/map-following.png"));
    QToolTip::hideText();
    form->MapForm->action("FollowWalk1")->trigger();
    form->MapForm->hide();
    saveDialog("stat-roller", [&] { form->showStatRoller(); });

    saveDialog("mud-list", [&] { form->MUDList1Click(); });
    saveDialog("general-setup", [&] { form->GeneralSetup1Click(); });
    saveDialog("triggers", [&] { form->Triggers1Click(); });
    saveDialog("aliases", [&] { form->Aliases1Click(); });
    saveDialog("hotkeys", [&] { form->Hotkeys1Click(); });
    saveDialog("numeric-keypad", [&] { form->NumericKeypad1Click(); });
    saveDialog("ansi-definitions", [&] { form->ANSIDefinitions1Click(); });
    saveDialog("log-file", [&] { form->Log1Click(); });
    saveDialog("send-message", [&] { form->SendMessage1Click(); });
    saveDialog("look-up-note", [&] { form->Lookup1Click(); });
    saveDialog("add-note", [&] { form->AddNote1Click(); });
    saveDialog("find", [&] { form->Find1Click(); });
    saveDialog("about", [&] { form->About2Click(); });
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

} // namespace
} // namespace tw
