// Modern Server Mode's text in the windows: the colour view draws 24-bit and 256 colours and
// wide characters, the plain view shows the text without sequences, typed text and the
// dialogs' texts become UTF-8, and the colour definitions offer the "&Modern" palette.
#include "base/qt/GameText.h"
#include "core/Terminal.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/MirrorView.h"
#include "core/qt/PlainView.h"
#include "core/qt/TMainForm.h"
#include "net/qt/ColourPanel.h"
#include "net/qt/TANSIDefDLG.h"
#include "qt/DialogChildren.h"
#include "qt/ModalDriver.h"
#include "qt/TestMainForm.h"
#include "script/qt/TTriggerDlg.h"
#include "script/qt/TTriggerEditDlg.h"
#include "support/RecordingHost.h"

#include <QImage>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <set>

namespace tw {
namespace {

using test::child;

const std::string E = "\x1b";

// Each test starts and ends with the old reading of text.
struct ModernTextWindow : ::testing::Test {
    void SetUp() override { GameText::setUtf8(false); }
    void TearDown() override { GameText::setUtf8(false); }
};

std::set<QRgb> cellPixels(const QImage& image, int column, int row)
{
    std::set<QRgb> colours;
    for (int y = (row - 1) * 12; y < row * 12; ++y)
        for (int x = (column - 1) * 8; x < column * 8; ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000u);
    return colours;
}

int inkPixels(const QImage& image, int column, int row, QRgb background)
{
    int n = 0;
    for (QRgb c : cellPixels(image, column, row))
        n += c != background;
    return n;
}

TEST_F(ModernTextWindow, TheColourViewDrawsColoursOfTheirOwnAndWideCharacters)
{
    Terminal terminal;
    Palette palette;
    MirrorView view{terminal, palette};
    terminal.setColumnCount(10);
    terminal.setRowCount(2);
    terminal.setModern(true);
    view.resize(80, 24);
    terminal.WriteTerminal(E + "[48;2;10;200;30m " + E + "[48;5;196m " + E + "[48;5;3m " + E +
                           "[0m\xe4\xb8\xad\xe2\x95\x90\r\n" + E + "[38;2;250;0;0m\xe2\x96\x88");
    const QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(cellPixels(image, 1, 1), std::set<QRgb>{qRgb(10, 200, 30)});
    EXPECT_EQ(cellPixels(image, 2, 1), std::set<QRgb>{qRgb(255, 0, 0)});
    EXPECT_EQ(cellPixels(image, 3, 1), std::set<QRgb>{qRgb(128, 0, 0)}); // palette brown
    // The ideograph inks both of its cells; the double line is the code page's, edge to edge.
    EXPECT_GT(inkPixels(image, 4, 1, qRgb(0, 0, 0)), 4);
    EXPECT_GT(inkPixels(image, 5, 1, qRgb(0, 0, 0)), 4);
    EXPECT_EQ(image.pixel(6 * 8 - 8, 5) | 0xFF000000u, qRgb(128, 128, 128));
    EXPECT_EQ(image.pixel(6 * 8 - 1, 5) | 0xFF000000u, qRgb(128, 128, 128));
    EXPECT_EQ(cellPixels(image, 1, 2), std::set<QRgb>{qRgb(250, 0, 0)}); // a full block
}

TEST_F(ModernTextWindow, ThePlainViewShowsWhatThePlayerReads)
{
    const std::string bytes = E + "[1;31mcaf\xc3\xa9" + E + "[0m\r\n\xe4\xb8\xad";
    EXPECT_EQ(PlainView::textFor(bytes), QString("\u2190[1;31mcaf\u251c\u2310\u2190[0m\n\u03a3\u2555\u00a1"));
    GameText::setUtf8(true);
    EXPECT_EQ(PlainView::textFor(bytes), QString("caf\u00e9\n\u4e2d"));
    PlainView view;
    view.showBuffer(bytes);
    EXPECT_TRUE(view.findNext(QString("\u00c9\n\u4e2d"), false));
    EXPECT_EQ(view.textCursor().selectedText(), QString("\u00e9\u2029\u4e2d"));
}

TEST_F(ModernTextWindow, TypedTextIsUtf8AndTheBytesOfAnOldGameStayReadable)
{
    CommandLineEdit line;
    line.QLineEdit::setText("say caf\u00e9 \u2013 5\u20ac");
    EXPECT_EQ(line.text(), "say caf\xe9 ? 5?"); // the old encoding: one byte each
    GameText::setUtf8(true);
    EXPECT_EQ(line.text(), "say caf\xc3\xa9 \xe2\x80\x93 5\xe2\x82\xac");
    line.setText("caf\xc3\xa9 na\xefve");
    EXPECT_EQ(line.QLineEdit::text(), QString("caf\u00e9 na\u00efve")); // a stray byte reads as Latin-1
}

TEST_F(ModernTextWindow, ATriggerTypedInTheDialogMatchesTheGamesUtf8)
{
    GameText::setUtf8(true);
    test::RecordingHost host;
    TriggerList triggers;
    TTriggerDlg dlg{triggers, host};
    dlg.show();
    TTriggerEditDlg& edit = dlg.editDlg();
    test::whenModal(edit, [&] {
        child<QLineEdit>(edit, "Keyword")->setText("caf\u00e9 %% cr\u00e8me");
        child<QLineEdit>(edit, "TriggerCmd")->setText("order th\u00e9");
        child(edit, "OKBtn")->click();
    });
    child(dlg, "AddBtn")->click();
    ASSERT_EQ(triggers.size(), 1u);
    EXPECT_EQ(triggers[0].pattern, "caf\xc3\xa9 %% cr\xc3\xa8me");
    EXPECT_EQ(triggers[0].response, "order th\xc3\xa9");
    EXPECT_EQ(child<QListWidget>(dlg, "TriggerList")->item(0)->text(),
              QString("(*) caf\u00e9 %% cr\u00e8me --> order th\u00e9"));
}

TEST_F(ModernTextWindow, TheModernPaletteButtonShowsOnlyWithTheSwitch)
{
    QTemporaryDir dir;
    std::vector<std::string> boxes;
    const auto form = test::testMainForm(dir, boxes);
    TANSIDefDLG& dlg = *form->ANSIDefDlg;
    test::whenModal(dlg, [&] {
        EXPECT_FALSE(dlg.ModernBtn->isVisible());
        dlg.CancelBtn->click();
    });
    form->ANSIDefinitions1Click();
    form->setModernMode(true);
    EXPECT_TRUE(GameText::utf8());
    test::whenModal(dlg, [&] {
        EXPECT_TRUE(dlg.ModernBtn->isVisible());
        EXPECT_EQ(dlg.ModernBtn->text(), "&Modern");
        dlg.ModernBtn->click();
        EXPECT_EQ(dlg.panels[8]->colour(), QColor(85, 85, 85));
        dlg.OKBtn->click();
    });
    form->ANSIDefinitions1Click();
    EXPECT_EQ(form->session().palette.colors, Palette::modern());
    EXPECT_NE(Palette::modern()[7], Palette::modern()[8]); // two greys
    form->setModernMode(false);
    EXPECT_FALSE(GameText::utf8());
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace tw
