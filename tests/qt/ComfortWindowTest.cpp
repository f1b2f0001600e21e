// The colour view's comforts in the real window: zoomed cells, the selection and the "more
// below" marker on screen, the scroll bar, the text size in the INI file, help that cannot
// open, the MUD list's first choice and a connection asked for at start.
#include "core/Terminal.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/MirrorView.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "settings/qt/IniFile.h"
#include "settings/qt/TMUDListForm.h"
#include "script/qt/ListDialogSupport.h"
#include "tools/qt/Launcher.h"
#include "ModalDriver.h"
#include "TestMainForm.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTcpServer>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

namespace tw {
namespace {

const std::string Block = "\xdb";

std::set<QRgb> pixelsIn(const QImage& image, const QRect& r)
{
    std::set<QRgb> colours;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000u);
    return colours;
}

TEST(ComfortView, ZoomedCellsSelectionAndMarker)
{
    Terminal terminal;
    Palette palette;
    MirrorView view(terminal, palette);
    view.setCellSize(ViewZoom::cellFor(200));
    view.resize(320, 72);
    terminal.setColumnCount(10);
    terminal.setRowCount(3);
    terminal.WriteTerminal("\x1b[32m " + Block + "\x1b[0m\r\nab cd");
    const auto grab = [&] { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); };
    const QRgb green = qRgb(redOf(palette[2]), greenOf(palette[2]), blueOf(palette[2]));

    QImage image = grab();
    EXPECT_EQ(pixelsIn(image, {16, 0, 16, 24}), std::set<QRgb>{green}); // the block: 16 x 24
    EXPECT_EQ(pixelsIn(image, {0, 0, 16, 24}), std::set<QRgb>{qRgb(0, 0, 0)});
    EXPECT_GT(pixelsIn(image, {0, 24, 16, 24}).size(), 1u) << "the a is drawn at the cell size";

    // Selected cells are inverted, the rest stays.
    terminal.selectionStart({2, 1});
    terminal.selectionExtend({1, 2});
    EXPECT_EQ(view.selectedText(), QString(QChar(0x2588)) + "\na");
    image = grab();
    EXPECT_EQ(pixelsIn(image, {16, 0, 16, 24}), std::set<QRgb>{~green | 0xFF000000u});
    EXPECT_EQ(pixelsIn(image, {0, 0, 16, 24}), std::set<QRgb>{qRgb(0, 0, 0)});
    EXPECT_EQ(pixelsIn(image, {32, 24, 16, 24}), std::set<QRgb>{qRgb(0, 0, 0)}); // the blank after b
    EXPECT_EQ(pixelsIn(image, {144, 0, 16, 24}), std::set<QRgb>{qRgb(255, 255, 255)});

    // Scrolled back, text arriving shows the marker; nothing before it came.
    terminal.WriteTerminal("\r\n3\r\n4\r\n5");
    terminal.scrollLines(-2);
    const QRect marker = view.moreBelowRect();
    const QRgb yellow = qRgb(redOf(palette[14]), greenOf(palette[14]), blueOf(palette[14]));
    EXPECT_FALSE(pixelsIn(grab(), marker).count(yellow));
    terminal.WriteTerminal("6");
    EXPECT_TRUE(pixelsIn(grab(), marker).count(yellow));
}

struct ComfortWindow : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> boxes;

    void SetUp() override
    {
        form = test::testMainForm(dir, boxes);
        form->resize(900, 600);
        form->show();
    }
    Terminal& terminal() { return form->session().terminal; }
};

TEST_F(ComfortWindow, TextSizeSetsTheCountsAndIsRemembered)
{
    const int width = form->Image->width();
    const int height = form->Image->height();
    EXPECT_EQ(terminal().ColumnCount(), width / 8);
    EXPECT_EQ(form->MirrorScrollBar->x(), width) << "beside the picture";
    EXPECT_EQ(form->Image->x() + form->Image->width() + form->MirrorScrollBar->width(), form->centralWidget()->width());

    form->viewKey(ViewKey::ZoomIn);
    form->viewKey(ViewKey::ZoomIn);
    EXPECT_EQ(form->Image->cellSize(), (CellSize{12, 18}));
    EXPECT_EQ(terminal().ColumnCount(), width / 12);
    EXPECT_EQ(terminal().RowCount(), height / 18);
    EXPECT_EQ(form->Status->text(), "Text size 150%");
    EXPECT_EQ(IniFile(form->iniPath).readZoom(), 150);

    // The next start reads it; a value that is no step is the normal size.
    TMainForm again(nullptr, form->iniPath);
    EXPECT_EQ(again.Image->cellSize(), (CellSize{12, 18}));
    form->viewKey(ViewKey::ZoomReset);
    EXPECT_EQ(terminal().ColumnCount(), width / 8);
    EXPECT_EQ(IniFile(form->iniPath).readZoom(), 100);
    QSettings(form->iniPath, QSettings::IniFormat).setValue("View/Zoom", "huge");
    TMainForm third(nullptr, form->iniPath);
    EXPECT_EQ(third.Image->cellSize(), (CellSize{8, 12}));
    third.session().markOptionsSaved();
    again.session().markOptionsSaved();
}

TEST_F(ComfortWindow, ScrollBarFollowsTheViewAndMovesIt)
{
    std::string text;
    for (int i = 1; i <= 200; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    form->session().WriteTerminal(text);
    QScrollBar* bar = form->MirrorScrollBar;
    const int rows = terminal().RowCount();
    EXPECT_EQ(bar->maximum(), 201 - rows + 1);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(bar->pageStep(), rows);
    EXPECT_FALSE(bar->focusPolicy() & Qt::TabFocus);

    bar->setValue(50);
    EXPECT_EQ(terminal().TopLine(), 50);
    terminal().scrollLines(-MirrorView::WheelLines);
    EXPECT_EQ(bar->value(), 47);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(terminal().TopLine(), 0);

    // The plain view has its own bar.
    form->action("MagicMirror1")->trigger();
    EXPECT_FALSE(bar->isVisible());
    form->action("MagicMirror1")->trigger();
    EXPECT_TRUE(bar->isVisible());
}

TEST_F(ComfortWindow, HelpThatCannotOpenSaysWhichPage)
{
    // The pages are found in the current folder; the viewer takes them (the tests' stand-in
    // for a browser).
    const QString here = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(TARNWICK_SOURCE_DIR));
    form->Contents2Click();
    EXPECT_TRUE(boxes.empty());
    // A viewer that gives up later says so as well as one that never starts.
    form->launcher().setOpenUrl([](const QUrl&, std::function<void()> failedLater) {
        failedLater();
        return true;
    });
    form->Contents2Click();
    form->launcher().setOpenUrl([](const QUrl&, std::function<void()>) { return false; });
    form->Contents2Click();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], boxes[1]);
    EXPECT_EQ(boxes[0], "Help|The help page " + localPath(form->launcher().helpPageForMessage("EXPLORER.EXE DOCS\\CONTENTS.HTML")) +
                            " could not be opened.");
    EXPECT_TRUE(QString::fromStdString(boxes[0]).contains("/docs/contents.html", Qt::CaseInsensitive)) << boxes[0];
    QDir::setCurrent(here);
}

TEST_F(ComfortWindow, MudListOffersTheGameLastConnectedTo)
{
    MudList& muds = form->session().muds;
    muds = {{"Alpha", "127.0.0.1", "1"}, {"Beta", "127.0.0.1", "2"}};
    auto* list = form->MUDListForm->findChild<QListWidget*>("MudListBox");
    const auto selectedOnOpening = [&] {
        int row = -2;
        test::whenModal(*form->MUDListForm, [&] {
            row = list->selectedItems().isEmpty() ? -1 : list->row(list->selectedItems()[0]);
            EXPECT_TRUE(list->hasFocus() || !QApplication::focusWidget());
            form->MUDListForm->reject();
        });
        form->MUDList1Click();
        return row;
    };
    EXPECT_EQ(selectedOnOpening(), 0);
    IniFile(form->iniPath).writeLastMud("Beta --> 127.0.0.1:2");
    list->clearSelection();
    EXPECT_EQ(selectedOnOpening(), 1);
}

TEST_F(ComfortWindow, ConnectionAskedForAtStartUsesTheListsName)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const auto port = std::uint16_t(server.serverPort());
    form->session().muds = {{"Practice World", "127.0.0.1", std::to_string(port)}};
    form->session().markOptionsSaved();
    form->connectAtStart({"127.0.0.1", port});
    EXPECT_FALSE(server.hasPendingConnections());
    form->TimerPop(); // the first tick: options, then the connection
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->MudName->text() == "Practice World"; }, 5000));
    EXPECT_TRUE(form->session().connection.ReconnectArmed);
    EXPECT_EQ(IniFile(form->iniPath).readLastMud().toStdString(), "Practice World --> 127.0.0.1:" + std::to_string(port));
    form->TimerPop();
    EXPECT_EQ(form->session().connection.LastHost, "127.0.0.1") << "only once";
    form->Disconnect1Click();
}

} // namespace
} // namespace tw
