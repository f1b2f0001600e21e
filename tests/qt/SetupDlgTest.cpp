#include "core/qt/PlainView.h"
#include "settings/qt/TSetupDlg.h"
#include "support/RecordingHost.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct SetupDialog : ::testing::Test {
    test::RecordingHost host;
    PlainView terminal;
    SetupVars vars;
    TSetupDlg dlg{vars, terminal, host};

    SetupDialog() { dlg.InitSetupVars(); }
};

TEST_F(SetupDialog, ControlsAndStartValues)
{
    EXPECT_EQ(dlg.windowTitle(), "General Setup");
    EXPECT_EQ(dlg.Edit5->text(), "notepad.exe");
    EXPECT_EQ(dlg.Edit6->text(), "notes.not");
    EXPECT_EQ(dlg.Edit3->text(), "10");
    EXPECT_EQ(dlg.Edit4->text(), "16000");
    EXPECT_EQ(dlg.Edit5->maxLength(), 255);
    EXPECT_EQ(dlg.Edit3->maxLength(), 5);
    EXPECT_EQ(dlg.NoteTo->maxLength(), 32);
    EXPECT_EQ(dlg.OKBtn->text(), "&Apply");
    EXPECT_EQ(dlg.CheckBox4->text(), "&Reconnect");
    EXPECT_EQ(dlg.CheckBox3->text(), "&Word Wrap");
    EXPECT_EQ(dlg.Button1->text(), "Change &Font");
    EXPECT_EQ(dlg.Button2->text(), "Change &Color");
    EXPECT_TRUE(vars.EchoCommand);
    EXPECT_EQ(vars.CommandsRetained, 10);
    EXPECT_EQ(vars.ScrollbackSize, 16000);
    EXPECT_EQ(vars.NoteSend, "note send");
    // The font fields start as the plain view's design font, white.
    EXPECT_EQ(vars.FontName, "Terminal");
    EXPECT_EQ(vars.FontHeight, -12);
    EXPECT_EQ(vars.FontSize, 9);
    EXPECT_EQ(vars.FontColor, 0x00FFFFFFu);
    EXPECT_EQ(vars.FontStyle, 0);
}

TEST_F(SetupDialog, LeavingTheBufferBoxesChecksTheirRange)
{
    dlg.Edit3->setText("250");
    dlg.CheckData3();
    EXPECT_EQ(dlg.Edit3->text(), "100");
    dlg.Edit4->setText("");
    dlg.CheckData4();
    EXPECT_EQ(dlg.Edit4->text(), "16000");
}

TEST_F(SetupDialog, ApplyStoresAndCancelKeepsTheRecord)
{
    dlg.FillValues();
    dlg.Edit5->setText("gedit");
    dlg.RadioButton2->setChecked(true);
    dlg.Edit4->setText("20000");
    dlg.CheckBox3->setChecked(false);
    dlg.CancelBtnClick();
    EXPECT_EQ(vars.EditorName, "notepad.exe");
    EXPECT_TRUE(vars.EchoCommand);
    EXPECT_EQ(vars.ScrollbackSize, 16000);

    dlg.FillValues();
    EXPECT_EQ(dlg.Edit5->text(), "notepad.exe"); // the dialog shows the record again
    dlg.Edit5->setText("gedit");
    dlg.RadioButton2->setChecked(true);
    dlg.Edit4->setText("20000");
    dlg.CheckBox3->setChecked(false);
    dlg.OKBtnClick();
    EXPECT_EQ(vars.EditorName, "gedit");
    EXPECT_FALSE(vars.EchoCommand);
    EXPECT_TRUE(vars.EchoEnter);
    EXPECT_EQ(vars.ScrollbackSize, 20000);
    EXPECT_FALSE(vars.WordWrap);
    EXPECT_EQ(terminal.lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(SetupDialog, CancelledFontChangeLeavesTheTerminalFont)
{
    dlg.FillValues();
    const QString before = terminal.font().family();
    dlg.chooseFont = [](QFont& f) {
        f = QFont("DejaVu Serif", 20);
        return true;
    };
    dlg.Button1Click();
    dlg.CancelBtnClick();
    EXPECT_EQ(terminal.font().family(), before);
    dlg.FillValues();
    EXPECT_NE(dlg.pendingFont.pointSize(), 20); // the next opening shows the old font again
    dlg.Button1Click();
    dlg.chooseColor = [](QColor& c) {
        c = QColor(10, 20, 30);
        return true;
    };
    dlg.Button2Click();
    dlg.OKBtnClick();
    EXPECT_EQ(vars.FontSize, 20);
    EXPECT_EQ(vars.FontColor, 0x001E140Au);
    EXPECT_EQ(terminal.font().pointSize(), 20);
}

TEST_F(SetupDialog, SeveralMarkedEchoModesShowTheLast)
{
    vars.EchoCommand = true;
    vars.EchoEnter = true;
    vars.EchoNone = false;
    dlg.FillValues();
    EXPECT_FALSE(dlg.RadioButton1->isChecked());
    EXPECT_TRUE(dlg.RadioButton2->isChecked());
    vars.EchoCommand = vars.EchoEnter = vars.EchoNone = false;
    dlg.FillValues();
    EXPECT_FALSE(dlg.RadioButton1->isChecked());
    EXPECT_FALSE(dlg.RadioButton2->isChecked());
    EXPECT_FALSE(dlg.RadioButton3->isChecked());
    dlg.OKBtnClick();
    EXPECT_FALSE(vars.EchoCommand || vars.EchoEnter || vars.EchoNone);
}

// Loaded values survive showing the dialog and Apply unchanged: texts longer than the boxes
// let the player type, a font pitch and a system colour this desktop cannot show, and a file
// name in the system's encoding. Apply reads the numbers the range check accepted.
TEST_F(SetupDialog, ApplyKeepsWhatThePlayerDidNotChange)
{
    vars.NoteTo = std::string(100, 't');
    vars.NoteSend = std::string(255, 's');
    vars.FontPitch = 1;
    vars.FontColor = 0x80000008u;
    vars.FontHeight = -13;
    vars.FontSize = 9;
    vars.NoteFileName = "jos\xc3\xa9.not";
    vars.EditorName = "ed\xe9";  // not valid in the system's encoding: kept byte for byte
    const SetupVars loaded = vars;
    dlg.FillValues();
    EXPECT_EQ(dlg.Edit6->text(), QString::fromUtf8("jos\xc3\xa9.not"));
    dlg.Edit3->setText("$10");
    dlg.OKBtnClick();
    SetupVars expected = loaded;
    expected.CommandsRetained = 16;
    EXPECT_EQ(vars, expected);

    dlg.FillValues();
    dlg.Edit6->setText(QString::fromUtf8("Дима.not"));
    dlg.NoteTo->setText("tell");
    dlg.OKBtnClick();
    EXPECT_EQ(vars.NoteFileName, "\xd0\x94\xd0\xb8\xd0\xbc\xd0\xb0.not");
    EXPECT_EQ(vars.NoteTo, "tell");
    EXPECT_EQ(vars.FontPitch, 1);
}

// A file name longer than the 255 bytes an options file keeps is refused, not cut: 255
// characters of Cyrillic are 510 bytes. Nothing is applied and the dialog stays open.
TEST_F(SetupDialog, FileNamesTooLongToKeepAreRefused)
{
    dlg.Edit6->setText(QString(255, QChar(0x0414)));
    dlg.NoteTo->setText("tell");
    dlg.OKBtnClick();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "The Note File name is too long: an options file keeps at most 255 bytes of it.");
    EXPECT_EQ(vars.NoteFileName, "notes.not");
    EXPECT_EQ(vars.NoteTo, "note to");
}

TEST_F(SetupDialog, HelpOpensItsPage)
{
    dlg.HelpBtnClick();
    ASSERT_EQ(host.helpLines.size(), 1u);
    EXPECT_EQ(host.helpLines[0], "EXPLORER.EXE docs\\menu_options_gen.html");
}

} // namespace
} // namespace tw
