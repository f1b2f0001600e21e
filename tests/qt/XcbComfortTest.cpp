// The colour view's comforts from the keyboard and the mouse on the xcb platform: the MUD
// list connects on Enter, the text size keys, the wheel, dragging and double-clicking, copying
// with Ctrl+Shift+C, the "more below" marker, Tab completion and Escape. The focus stays on the
// command line throughout. These run under Xvfb and skip themselves elsewhere.
#include "core/Terminal.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/MirrorView.h"
#include "core/qt/TMainForm.h"
#include "settings/qt/IniFile.h"
#include "settings/qt/TMUDListForm.h"
#include "ModalDriver.h"
#include "TestMainForm.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTcpServer>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct XcbComfort : test::XcbColourViewTest {
    Terminal& terminal() { return form->session().terminal; }
    // The centre of a cell of the colour view (column and visible row from 1).
    QPoint cell(int column, int row) const
    {
        const CellSize c = form->Image->cellSize();
        return {(column - 1) * c.width + c.width / 2, (row - 1) * c.height + c.height / 2};
    }
    void wheel(int notches)
    {
        const QPoint at = cell(5, 5);
        QWheelEvent event(at, form->Image->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->Image, &event);
    }
};

TEST_F(XcbComfort, EnterInTheMudListConnectsToTheGameOffered)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const std::string port = std::to_string(server.serverPort());
    form->session().muds = {{"Elsewhere", "127.0.0.1", "1"}, {"Practice World", "127.0.0.1", port}};
    form->session().markOptionsSaved();
    IniFile(form->iniPath).writeLastMud(QString::fromStdString("Practice World --> 127.0.0.1:" + port));
    auto* list = form->MUDListForm->findChild<QListWidget*>("MudListBox");
    test::whenModal(*form->MUDListForm, [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return list->hasFocus(); }, 5000));
        QTest::keyClick(list, Qt::Key_Return);
    });
    form->Connect1Click();
    EXPECT_EQ(form->session().connection.LastMudName, "Practice World");
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 5000));
    form->Disconnect1Click();
}

TEST_F(XcbComfort, TextSizeKeysFromTheCommandLine)
{
    const int width = form->Image->width();
    QTest::keyClicks(form->CmdLine, "look");
    QTest::keyClick(form->CmdLine, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(form->CmdLine, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(form->Image->cellSize(), (CellSize{12, 18}));
    EXPECT_EQ(terminal().ColumnCount(), width / 12);
    QTest::keyClick(form->CmdLine, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form->Image->cellSize(), (CellSize{10, 15}));
    EXPECT_EQ(IniFile(form->iniPath).readZoom(), 125);
    QTest::keyClick(form->CmdLine, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(form->Image->cellSize(), (CellSize{8, 12}));
    EXPECT_EQ(terminal().ColumnCount(), width / 8);
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "look") << "the keys type nothing";
    // Keypad 0 keeps its own meaning, whatever the modifiers: it sends its command.
    form->viewKey(ViewKey::ZoomIn);
    QTest::keyClick(form->CmdLine, Qt::Key_0, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(form->Image->cellSize(), (CellSize{10, 15}));
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "l");
    EXPECT_TRUE(form->CmdLine->hasFocus());
}

TEST_F(XcbComfort, WheelScrollBarAndTheMoreBelowMarker)
{
    std::string text;
    for (int i = 1; i <= 100; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    form->session().WriteTerminal(text);
    const int end = terminal().firstVisibleLine();
    wheel(1);
    EXPECT_EQ(terminal().TopLine(), end - MirrorView::WheelLines);
    wheel(2);
    EXPECT_EQ(terminal().TopLine(), end - 3 * MirrorView::WheelLines);
    EXPECT_EQ(form->MirrorScrollBar->value(), end - 9);

    // Clicking in the bar's trough below the thumb pages down, here to the last page: the
    // view follows the end again.
    const QRect bar = form->MirrorScrollBar->rect();
    QTest::mouseClick(form->MirrorScrollBar, Qt::LeftButton, {}, {bar.width() / 2, bar.height() - 30});
    EXPECT_EQ(terminal().TopLine(), 0);
    wheel(2);
    const int top = terminal().TopLine();
    ASSERT_EQ(top, end - 6);

    form->session().WriteTerminal("news\r\n");
    EXPECT_EQ(terminal().TopLine(), top);
    ASSERT_TRUE(terminal().moreBelow());
    QTest::mouseClick(form->Image, Qt::LeftButton, {}, form->Image->moreBelowRect().center());
    EXPECT_EQ(terminal().TopLine(), 0);
    EXPECT_FALSE(terminal().moreBelow());
    wheel(-1);
    EXPECT_EQ(terminal().TopLine(), 0) << "at the end the wheel down changes nothing";
    EXPECT_TRUE(form->CmdLine->hasFocus());
}

TEST_F(XcbComfort, DragAndDoubleClickSelectAndCtrlShiftCCopies)
{
    form->session().WriteTerminal("\x1b[1;32mGandalf\x1b[0m says hello\r\nto you all\r\n");
    QApplication::clipboard()->setText("before");
    // Lines 1 and 2 are the last ones before the empty line 3 at the bottom.
    const int first = terminal().firstVisibleLine();
    const int row1 = 1 - first + 1, row2 = row1 + 1;
    QTest::mousePress(form->Image, Qt::LeftButton, {}, cell(9, row1));
    QTest::mouseMove(form->Image, cell(5, row2));
    QTest::mouseRelease(form->Image, Qt::LeftButton, {}, cell(5, row2));
    QTest::keyClick(form->CmdLine, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "says hello\nto yo");

    QTest::mouseDClick(form->Image, Qt::LeftButton, {}, cell(3, row1));
    QTest::keyClick(form->CmdLine, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Gandalf");

    // A click clears the selection; copying nothing leaves the clipboard alone.
    QTest::mouseClick(form->Image, Qt::LeftButton, {}, cell(3, row2));
    QTest::keyClick(form->CmdLine, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Gandalf");
    EXPECT_TRUE(form->CmdLine->hasFocus());
}

TEST_F(XcbComfort, TabCompletesAndEscapeEmptiesTheLine)
{
    form->session().WriteTerminal("Gandalf and Galanor wait by the gate.\r\n");
    QTest::keyClicks(form->CmdLine, "tell ga");
    QTest::keyClick(form->CmdLine, Qt::Key_Tab);
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "tell gate");
    QTest::keyClick(form->CmdLine, Qt::Key_Tab);
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "tell Galanor");
    QTest::keyClick(form->CmdLine, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "tell gate");
    QTest::keyClicks(form->CmdLine, " hi");
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "tell gate hi");
    EXPECT_TRUE(form->CmdLine->hasFocus()) << "Tab does not move the focus";

    QTest::keyClick(form->CmdLine, Qt::Key_Escape);
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "");
    EXPECT_TRUE(form->CmdLine->hasFocus());
    EXPECT_TRUE(form->session().history.entries().empty()) << "nothing was sent";
}

// The view repaints only the rows that changed; what the X server shows must still be the
// whole picture the view draws, after each kind of change.
TEST_F(XcbComfort, TheScreenShowsTheWholePictureAfterRowRepaints)
{
    MirrorView* view = form->Image;
    const auto onScreen = [&] {
        const QPoint at = view->mapTo(form.get(), QPoint(0, 0));
        return form->screen()
            ->grabWindow(form->winId(), at.x(), at.y(), view->width(), view->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    const auto showsWhole = [&](const char* step) {
        // The picture of the view drawn whole by a new view, as the screen should show it.
        MirrorView whole(terminal(), form->session().palette);
        whole.setCellSize(view->cellSize());
        whole.resize(view->size());
        QImage expected = whole.grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (terminal().moreBelow()) {
            QPainter painter(&expected);
            painter.drawImage(view->moreBelowRect().topLeft(),
                              view->grab(view->moreBelowRect()).toImage());
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return onScreen() == expected; }, 3000)) << step;
    };
    std::string text;
    for (int i = 1; i <= 60; ++i)
        text += "\x1b[1;3" + std::to_string(i % 8) + "mline " + std::to_string(i) + "\x1b[0m\r\n";
    form->session().WriteTerminal(text + "> ");
    showsWhole("the first screen");
    form->session().WriteTerminal("look");
    showsWhole("the prompt line");
    QTest::mousePress(view, Qt::LeftButton, {}, cell(3, 4));
    QTest::mouseMove(view, cell(6, 7));
    QTest::mouseRelease(view, Qt::LeftButton, {}, cell(6, 7));
    showsWhole("a selection");
    QTest::mouseClick(view, Qt::LeftButton, {}, cell(2, 2));
    showsWhole("the selection gone");
    wheel(2);
    showsWhole("scrolled back");
    form->session().WriteTerminal("\r\nnews");
    ASSERT_TRUE(terminal().moreBelow());
    showsWhole("text below, the marker");
    terminal().ScrollToEnd();
    showsWhole("at the end again");
}

} // namespace
} // namespace tw
