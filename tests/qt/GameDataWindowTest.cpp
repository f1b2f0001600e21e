// What the game sends beside its text, in the windows: the vitals gauges over the status row
// and the Channels window.
#include "core/qt/ChannelsWindow.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/MirrorView.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "core/qt/VitalsBar.h"
#include "TestMainForm.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct GameDataWindow : ::testing::Test {
    QTemporaryDir dir;
    std::vector<std::string> boxes;
    std::unique_ptr<TMainForm> form = test::testMainForm(dir, boxes);

    void SetUp() override
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override { form->session().markOptionsSaved(); }

    void vitals(std::vector<VitalGauge> gauges)
    {
        form->session().vitals = std::move(gauges);
        form->vitalsChanged();
    }
    void say(const ChannelText& line)
    {
        form->session().channels.add(line);
        form->channelLineAdded();
    }
    std::vector<QRect> layout() const
    {
        return {form->CmdLine->geometry(), form->Status->geometry(), form->MudName->geometry(),
                form->Clock->geometry(), form->Image->geometry()};
    }
};

TEST_F(GameDataWindow, GaugesFillTheirShareInTheirColourAndLeaveTheLayoutAsItWasWithoutThem)
{
    // Without vitals the text, the command line and the status row meet as they always did.
    const std::vector<QRect> before = layout();
    ASSERT_TRUE(form->Vitals->isHidden());
    EXPECT_EQ(before[4].bottom() + 1, before[0].top());
    EXPECT_EQ(before[0].bottom() + 1, before[1].top());
    vitals({{"HP", 34, 40}, {"MP", 25, 25}, {"MV", 0, 100}, {"ENERGY", 7, 0}});
    ASSERT_TRUE(form->Vitals->isVisible());
    // Between the command line and the status row, which keeps its place; the text gives way.
    EXPECT_EQ(form->Vitals->geometry().bottom() + 1, form->Status->y());
    EXPECT_EQ(form->CmdLine->geometry().bottom() + 1, form->Vitals->y());
    EXPECT_EQ(form->Status->geometry(), before[1]);
    EXPECT_LT(form->Image->height(), before[4].height());

    const QImage picture = form->Vitals->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb track = qRgb(52, 52, 52);
    struct Row {
        std::size_t gauge;
        QRgb colour;
        double share;
    } rows[] = {{0, qRgb(190, 32, 32), 0.85}, {1, qRgb(40, 84, 200), 1}, {2, qRgb(34, 136, 52), 0},
                {3, qRgb(120, 120, 128), 0}};
    for (const Row& r : rows) {
        const QRect bar = form->Vitals->barRect(r.gauge);
        ASSERT_GT(bar.width(), 50) << r.gauge;
        // Along the bar's top edge, clear of the numbers: filled from the left, then unfilled.
        const int filled = int(std::lround(r.share * bar.width()));
        for (int x = bar.left(); x <= bar.right(); ++x)
            ASSERT_EQ(picture.pixel(x, bar.top()) | 0xFF000000u, x < bar.left() + filled ? r.colour : track)
                << "gauge " << r.gauge << " at " << x - bar.left() << " of " << bar.width();
    }
    const auto names = [&] {
        QStringList said;
        for (QWidget* w : form->Vitals->findChildren<QWidget*>())
            said << w->accessibleName();
        return said.join(", ");
    };
    EXPECT_EQ(names(), "HP 34 of 40, MP 25 of 25, MV 0 of 100, ENERGY 7");

    // Each message changes the numbers in place; with no vitals the row goes and nothing moved.
    const QRect shown = form->CmdLine->geometry();
    vitals({{"HP", 12, 40}});
    EXPECT_EQ(names(), "HP 12 of 40");
    EXPECT_EQ(form->CmdLine->geometry(), shown);
    // A game that sends hundreds of gauges gets as many as the row holds.
    vitals(std::vector<VitalGauge>(500, {"X", 1, 2}));
    const auto made = form->Vitals->findChildren<QWidget*>().size();
    EXPECT_TRUE(made > 0 && made <= form->Vitals->width() / MinGaugeWidth) << made;
    vitals({});
    EXPECT_TRUE(form->Vitals->isHidden());
    EXPECT_EQ(layout(), before);
}

TEST_F(GameDataWindow, ChannelsWindowListsLinesFollowsTheEndAndKeepsItsBound)
{
    QAction* item = form->action("Channels1");
    ASSERT_TRUE(item && item->isCheckable());

    // Lines said while the window is closed are there when it opens.
    say({"say", "Tom", "\x1b[1;32mTom says 'hello'\x1b[0m"});
    item->trigger();
    ChannelsWindow* window = form->Channels;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), "Channels");
    QPlainTextEdit* view = window->view();
    EXPECT_EQ(view->toPlainText(), "[say] Tom: Tom says 'hello'");

    // The newest line stays in sight unless the player has scrolled up to read.
    for (int i = 0; i < 60; ++i)
        say({"gossip", "Ann", "line " + std::to_string(i)});
    QScrollBar* bar = view->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setValue(3);
    say({"gossip", "Ann", "more"});
    EXPECT_EQ(bar->value(), 3);

    // At most as many lines as the log keeps, the oldest going first.
    for (std::size_t i = 0; i < ChannelLog::MaxLines; ++i)
        form->session().channels.add({"ooc", "Bob", std::to_string(i)});
    form->channelLineAdded();
    EXPECT_EQ(view->blockCount(), int(ChannelLog::MaxLines));
    EXPECT_EQ(view->document()->firstBlock().text(), "[ooc] Bob: 0");
    EXPECT_EQ(view->document()->lastBlock().text(), "[ooc] Bob: " + QString::number(ChannelLog::MaxLines - 1));

    // The menu item hides and shows it; closed by the window manager, its check mark goes.
    item->trigger();
    EXPECT_TRUE(window->isHidden());
    item->trigger();
    EXPECT_TRUE(window->isVisible());
    window->close();
    EXPECT_FALSE(item->isChecked());
}

} // namespace
} // namespace tw
