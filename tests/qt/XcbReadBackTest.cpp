// Reading back with the long history, from the keyboard and the mouse on the xcb platform: the
// split on Page Up and the wheel, the live pane following a flood while the upper pane stays
// still, the divider, joining again; the find bar; Ctrl+C after a selection in the colour view;
// the saved history. These run under Xvfb and skip themselves elsewhere.
#include "core/ReadBack.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/FindBar.h"
#include "core/qt/MirrorView.h"
#include "core/qt/PaneDivider.h"
#include "core/qt/ReadBackPanes.h"
#include "core/qt/StatusPanel.h"
#include "settings/qt/IniFile.h"
#include "TestMainForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace tw {
namespace {

std::string lines(int from, int to)
{
    std::string s;
    for (int i = from; i <= to; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "\x1b[1;32mLine %04d\x1b[0m ok\r\n", i);
        s += line;
    }
    return s;
}

struct XcbReadBack : test::XcbColourViewTest {
    void SetUp() override
    {
        XcbColourViewTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        form->action("LongHistory1")->trigger();
        form->session().WriteTerminal(lines(1, 1500));
    }
    ReadBack& readBack() { return form->session().readBack; }
    MirrorView* upper() { return form->Panes->upper(); }
    std::string upperFirst()
    {
        const PaintedRows::Row row = readBack().upper().row(0, 10, 80);
        std::string s;
        for (int c = 1; row.line && c <= row.line->written; ++c)
            s += char(row.line->cell(c).character);
        return s;
    }
    QImage onScreen(QWidget* w)
    {
        const QPoint at = w->mapTo(form.get(), QPoint(0, 0));
        return form->screen()->grabWindow(form->winId(), at.x(), at.y(), w->width(), w->height()).toImage();
    }
    void wheel(QWidget* on, int notches)
    {
        const QPoint at(20, 20);
        QWheelEvent event(at, on->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(on, &event);
    }
};

TEST_F(XcbReadBack, PageUpSplitsTheLivePaneFollowsAFloodTheDividerMovesAndEndJoins)
{
    EXPECT_TRUE(IniFile(form->iniPath).readLongHistory());
    QTest::keyClick(form->CmdLine, Qt::Key_PageUp);
    ASSERT_TRUE(readBack().split());
    ASSERT_TRUE(QTest::qWaitFor([&] { return upper()->isVisible() && form->Panes->divider()->isVisible(); }, 3000));
    // The live pane below takes a third of the view.
    const int viewHeight = upper()->height() + PaneDivider::Height + form->Image->height();
    EXPECT_NEAR(form->Image->height(), viewHeight / 3, 12);
    const std::string top = upperFirst();
    ASSERT_EQ(top.substr(0, 5), "Line ");
    QTest::qWait(100);
    const QImage upperBefore = onScreen(upper()), liveBefore = onScreen(form->Image);

    for (int block = 0; block < 40; ++block) {
        form->session().WriteTerminal(lines(1501 + block * 50, 1550 + block * 50));
        QApplication::processEvents();
    }
    EXPECT_EQ(upperFirst(), top);
    EXPECT_GT(readBack().historyLines(), 2500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return onScreen(form->Image) != liveBefore; }, 3000));
    EXPECT_EQ(onScreen(upper()), upperBefore) << "the upper pane stays still";

    // Dragging the divider up gives the live pane more room, and is remembered.
    PaneDivider* divider = form->Panes->divider();
    const QPoint grab(divider->width() / 2, PaneDivider::Height / 2);
    const int liveBefore2 = form->Image->height();
    QTest::mousePress(divider, Qt::LeftButton, {}, grab);
    QTest::mouseMove(divider, grab - QPoint(0, 100));
    QTest::mouseRelease(divider, Qt::LeftButton, {}, grab - QPoint(0, 100));
    EXPECT_GT(form->Image->height(), liveBefore2 + 80);
    EXPECT_NEAR(IniFile(form->iniPath).readSplitLivePercent(0), 100 * form->Image->height() / viewHeight, 3);

    QTest::keyClick(form->CmdLine, Qt::Key_End);
    EXPECT_FALSE(readBack().split());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !upper()->isVisible(); }, 3000));
    EXPECT_EQ(form->Image->height(), viewHeight);

    // The divider's close mark joins too.
    QTest::keyClick(form->CmdLine, Qt::Key_PageUp);
    ASSERT_TRUE(QTest::qWaitFor([&] { return divider->isVisible(); }, 3000));
    QTest::mouseClick(divider, Qt::LeftButton, {}, divider->closeMarkRect().center());
    EXPECT_FALSE(readBack().split());
    // The window's focus stays with the command line (whether the window is still the active
    // one is the X server's business: without a window manager it may hand it elsewhere).
    EXPECT_EQ(form->focusWidget(), form->CmdLine) << "the click takes no focus";
}

TEST_F(XcbReadBack, TheWheelSplitsAndScrollingToTheEndJoins)
{
    wheel(form->Image, 1);
    ASSERT_TRUE(readBack().split());
    const long top = readBack().top();
    wheel(upper(), 2);
    EXPECT_EQ(readBack().top(), top - 2 * MirrorView::WheelLines);
    EXPECT_EQ(form->MirrorScrollBar->value(), readBack().top());
    wheel(form->Image, -3);
    EXPECT_FALSE(readBack().split());
    EXPECT_EQ(form->MirrorScrollBar->value(), form->MirrorScrollBar->maximum());
    // The scroll bar reaches the history's first line.
    form->MirrorScrollBar->setValue(1);
    EXPECT_EQ(upperFirst(), "Line 0001 ok");
}

TEST_F(XcbReadBack, TheFindBarFindsAcrossHistoryAndScrollback)
{
    form->session().WriteTerminal("a green dragon\r\n");
    form->session().WriteTerminal(lines(1501, 1600));
    // Far back in the history, and in the scrollback.
    readBack().digest(std::string::npos);
    ASSERT_GT(readBack().historyLines(), 1000);
    QTest::keyClick(form->CmdLine, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->FindBar1->edit()->hasFocus(); }, 3000));
    QTest::keyClicks(form->FindBar1->edit(), "LINE 0007");
    QTest::keyClick(form->FindBar1->edit(), Qt::Key_Return);
    ASSERT_TRUE(readBack().split());
    EXPECT_EQ(readBack().selectedText(), "Line 0007");
    const PaintedRows::Row row = readBack().upper().row(int(7 - readBack().top()), 10, 80);
    ASSERT_NE(row.line, nullptr);
    EXPECT_EQ(row.line->cell(1).background, ReadBack::FoundBackground);

    form->FindBar1->edit()->selectAll();
    QTest::keyClicks(form->FindBar1->edit(), "dragon");
    QTest::keyClick(form->FindBar1->edit(), Qt::Key_Return);
    EXPECT_EQ(readBack().selectedText(), "dragon");
    const long dragon = readBack().selection().first().line;
    EXPECT_GT(dragon, readBack().historyLines()) << "in the scrollback";
    QTest::keyClick(form->FindBar1->edit(), Qt::Key_Return); // the only one: found again
    EXPECT_EQ(readBack().selection().first().line, dragon);
    QTest::keyClicks(form->FindBar1->edit(), "s");
    QTest::keyClick(form->FindBar1->edit(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(form->Status->text(), "Cannot find \"dragons\".");

    QTest::keyClick(form->FindBar1->edit(), Qt::Key_Escape);
    EXPECT_FALSE(form->FindBar1->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->CmdLine->hasFocus(); }, 3000));
    EXPECT_EQ(readBack().searchText(), "");
}

TEST_F(XcbReadBack, CtrlCCopiesTheColourViewSelectionUntilThePlayerTypes)
{
    const CellSize c = form->Image->cellSize();
    const auto cell = [&](int column, int row) {
        return QPoint((column - 1) * c.width + c.width / 2, (row - 1) * c.height + c.height / 2);
    };
    QApplication::clipboard()->setText("before");
    // The last row is the empty line the cursor stands on.
    const int last = form->Image->height() / c.height - 1;
    QTest::mousePress(form->Image, Qt::LeftButton, {}, cell(1, last - 1));
    QTest::mouseMove(form->Image, cell(9, last));
    QTest::mouseRelease(form->Image, Qt::LeftButton, {}, cell(9, last));
    QTest::keyClick(form->CmdLine, Qt::Key_C, Qt::ControlModifier);
    const QString text = QApplication::clipboard()->text();
    ASSERT_EQ(text.size(), 22) << text.toStdString();
    EXPECT_EQ(text, "Line 1499 ok\nLine 1500");
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasHtml());
    EXPECT_TRUE(data->html().contains("<span style=\"color:#00ff00;background:#000000\">Line 1500</span>"))
        << data->html().toStdString();
    EXPECT_EQ(form->Status->text(), "Copied 22 characters.");

    // Typing ends the selection: Ctrl+C is the command line's Copy again.
    QTest::keyClicks(form->CmdLine, "look");
    EXPECT_TRUE(readBack().selection().empty());
    form->CmdLine->selectAll();
    QTest::keyClick(form->CmdLine, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "look");
}

TEST_F(XcbReadBack, TheSavedHistoryOpensWithItsTextAndColours)
{
    for (const QString name : {"history.html", "history.txt"}) {
        const QString path = dir.filePath(name);
        form->chooseHistoryFile = [&] { return path; };
        form->action("SaveHistory1")->trigger();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString saved = QString::fromUtf8(file.readAll());
        QTextDocument page;
        if (name.endsWith(".html"))
            page.setHtml(saved);
        else
            page.setPlainText(saved);
        const QStringList read = page.toPlainText().split('\n');
        ASSERT_GE(read.size(), 1500) << name.toStdString();
        EXPECT_EQ(read[0], "Line 0001 ok");
        // A reader may add a blank at the end of the text.
        EXPECT_EQ(read[1499].trimmed(), "Line 1500 ok") << name.toStdString();
        EXPECT_EQ(saved.contains(".f10{color:#00ff00}"), name.endsWith(".html"));
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(XcbReadBack, SwitchedOffPageUpIsTheTerminalsOwn)
{
    form->action("LongHistory1")->trigger();
    EXPECT_FALSE(IniFile(form->iniPath).readLongHistory());
    EXPECT_FALSE(form->action("SaveHistory1")->isEnabled());
    Terminal& terminal = form->session().terminal;
    const int lines = terminal.model().LineCount();
    QTest::keyClick(form->CmdLine, Qt::Key_PageUp);
    EXPECT_FALSE(readBack().split());
    EXPECT_FALSE(upper()->isVisible());
    EXPECT_EQ(terminal.TopLine(), lines - terminal.RowCount() - 23);
    QTest::keyClick(form->CmdLine, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(form->FindBar1->isVisible());
}

} // namespace
} // namespace tw
