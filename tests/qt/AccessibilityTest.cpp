// What assistive technologies get from the windows: the colour view's text with its events,
// names and Tab orders of every dialog, the speech switch and its settings, hidden input.
#include "core/PlainText.h"
#include "core/qt/AboutBox.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/FindDialog.h"
#include "core/qt/MirrorView.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TerminalReading.h"
#include "map/qt/TLevelDLG.h"
#include "map/qt/TMapForm.h"
#include "map/qt/TRoomEditDLG.h"
#include "map/qt/TVirtualDLG.h"
#include "net/qt/ColourPanel.h"
#include "net/qt/TANSIDefDLG.h"
#include "script/qt/TAliasDlg.h"
#include "script/qt/TAliasEditDlg.h"
#include "script/qt/THotkeyDlg.h"
#include "script/qt/TNumPadDlg.h"
#include "script/qt/TTriggerDlg.h"
#include "script/qt/TTriggerEditDlg.h"
#include "settings/qt/IniFile.h"
#include "settings/qt/TEditMudDlg.h"
#include "settings/qt/TMUDListForm.h"
#include "settings/qt/TSetupDlg.h"
#include "support/RecordingSpeech.h"
#include "tools/qt/SpeechSettingsDlg.h"
#include "tools/qt/TAddNoteDlg.h"
#include "tools/qt/TLogFileDlg.h"
#include "tools/qt/TLookupDlg.h"
#include "tools/qt/TMessageForm.h"
#include "tools/qt/TStatRollDlg.h"
#include "ModalDriver.h"
#include "TestMainForm.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

// The colour view's reading, told that an assistive technology listens; records what it says.
struct Listener {
    struct Told {
        QAccessible::Event type;
        int position = -1;
        QString text;
    };
    std::vector<Told> told;

    explicit Listener(TerminalReading& reading)
    {
        reading.listening = [] { return true; };
        reading.tell = [this](QAccessibleEvent& e) {
            Told t{e.type()};
            if (e.type() == QAccessible::TextInserted) {
                t.position = static_cast<QAccessibleTextInsertEvent&>(e).changePosition();
                t.text = static_cast<QAccessibleTextInsertEvent&>(e).textInserted();
            } else if (e.type() == QAccessible::TextRemoved) {
                t.position = static_cast<QAccessibleTextRemoveEvent&>(e).changePosition();
                t.text = static_cast<QAccessibleTextRemoveEvent&>(e).textRemoved();
            }
            told.push_back(t);
        };
    }
    std::vector<Told> of(QAccessible::Event type) const
    {
        std::vector<Told> out;
        for (const Told& t : told)
            if (t.type == type)
                out.push_back(t);
        return out;
    }
};

struct Access : ::testing::Test {
    QTemporaryDir dir;
    std::vector<std::string> boxes;
    std::unique_ptr<TMainForm> form = test::testMainForm(dir, boxes);
    Session& session = form->session();
};

QString accessibleName(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); }

TEST_F(Access, TheColourViewReadsAsTheGamesTextAndTellsWhatArrives)
{
    Listener listening(form->Image->reading());
    session.MudSockRead("\x1b[1;31mHello\x1b[0m world\r\n");
    session.MudSockRead("HP: 20> ");
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(form->Image);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->role(), QAccessible::Terminal);
    EXPECT_EQ(view->text(QAccessible::Name), "Game text");
    QAccessibleTextInterface* text = view->textInterface();
    ASSERT_NE(text, nullptr);
    const QString all = QString::fromStdString(plainText(session.terminal.ScrollbackBuffer(), false));
    EXPECT_EQ(text->text(0, text->characterCount()), all);
    EXPECT_EQ(all, "Hello world\nHP: 20> ");
    const auto inserted = listening.of(QAccessible::TextInserted);
    ASSERT_EQ(inserted.size(), 2u);
    EXPECT_EQ(inserted[0].text, "Hello world\n");
    EXPECT_EQ(inserted[1].text, "HP: 20> ");
    EXPECT_EQ(inserted[1].position, 12);
    int start = 0, end = 0;
    EXPECT_EQ(text->textAtOffset(3, QAccessible::LineBoundary, &start, &end).trimmed(), "Hello world");
    EXPECT_EQ(text->cursorPosition(), all.size()); // the caret follows the end until moved
    text->setCursorPosition(6);
    session.MudSockRead("more\r\n");
    EXPECT_EQ(text->cursorPosition(), 6);

    // What a reader selects is copied as the view's selection is.
    text->setSelection(0, 6, 11);
    EXPECT_EQ(text->selectionCount(), 1);
    form->copyViewSelection();
    EXPECT_EQ(QApplication::clipboard()->text(), "world");

    // The scrollback drops old text: the reader is told, and its text stays the terminal's.
    for (int i = 0; i < 3000; ++i)
        session.MudSockRead("Line " + std::to_string(i) + " of the flood\r\n");
    EXPECT_FALSE(listening.of(QAccessible::TextRemoved).empty());
    EXPECT_EQ(text->text(0, text->characterCount()),
              QString::fromStdString(plainText(session.terminal.ScrollbackBuffer(), false)));
    EXPECT_EQ(listening.of(QAccessible::TextInserted).back().text, "Line 2999 of the flood\n");
}

TEST_F(Access, HiddenInputRenamesTheCommandLine)
{
    EXPECT_EQ(accessibleName(form->CmdLine), "Command");
    session.setInputHidden(true);
    EXPECT_EQ(accessibleName(form->CmdLine), "Password");
    EXPECT_EQ(form->CmdLine->accessibleDescription(), HiddenInputText);
    session.setInputHidden(false);
    EXPECT_EQ(accessibleName(form->CmdLine), "Command");
    EXPECT_TRUE(form->CmdLine->accessibleDescription().isEmpty());
}

TEST_F(Access, TheSpeechSwitchItsSettingsAndItsKeys)
{
    // Without a speech service the status row says why, not "Speech ON".
    form->startSpeech = [] { return false; };
    form->action("SpeakIncomingText1")->trigger();
    EXPECT_NE(form->Status->text(), "Speech ON");
    form->action("SpeakIncomingText1")->trigger();
    EXPECT_EQ(form->Status->text(), "Speech OFF");

    test::RecordingSpeech engine;
    form->startSpeech = [&] {
        session.speech.setEngine(&engine);
        return true;
    };
    const auto finish = [&] {
        while (session.speech.speaking())
            session.speech.finished();
    };
    form->action("SpeakIncomingText1")->trigger();
    EXPECT_TRUE(IniFile(form->iniPath).readSpeech().speak);
    session.MudSockRead("You are hungry.\r\nA rat arrives.\r\n");
    finish();
    EXPECT_EQ(engine.said, (std::vector<std::string>{"Speech ON", "You are hungry.\nA rat arrives."}));

    test::whenModal(*form->SpeechDlg, [&] {
        form->SpeechDlg->RateBox->setValue(4);
        form->SpeechDlg->MutedBox->setPlainText("hungry\n\nrat");
        QTest::keyClick(form->SpeechDlg, Qt::Key_Return);
    });
    form->action("SpeechSettings1")->trigger();
    const IniFile::Speech saved = IniFile(form->iniPath).readSpeech();
    EXPECT_EQ(saved.rate, 4);
    EXPECT_EQ(saved.muted, (QStringList{"hungry", "rat"}));
    session.MudSockRead("You are hungry.\r\nThe door opens.\r\n");
    finish();
    EXPECT_EQ(engine.said.back(), "The door opens.");

    // Enter and a lone Ctrl silence it; Ctrl with another key does not.
    session.MudSockRead("one\r\n");
    session.MudSockRead("two\r\n");
    QTest::keyPress(form->CmdLine, Qt::Key_Control);
    QTest::keyPress(form->CmdLine, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyRelease(form->CmdLine, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyRelease(form->CmdLine, Qt::Key_Control);
    EXPECT_EQ(engine.stops, 0);
    QTest::keyPress(form->CmdLine, Qt::Key_Control);
    QTest::keyRelease(form->CmdLine, Qt::Key_Control);
    EXPECT_EQ(engine.stops, 1);
    session.MudSockRead("three\r\n");
    form->EnterButtonClick();
    EXPECT_EQ(engine.stops, 2);

    // Off: remembered, and nothing more is said.
    form->action("SpeakIncomingText1")->trigger();
    EXPECT_FALSE(IniFile(form->iniPath).readSpeech().speak);
    const std::size_t said = engine.said.size();
    session.MudSockRead("four\r\n");
    EXPECT_EQ(engine.said.size(), said);
}

TEST_F(Access, ColourPanelsAreButtonsThatSpaceAndReadersPress)
{
    int asked = 0;
    form->ANSIDefDlg->chooseColour = [&](const QColor&) {
        ++asked;
        return std::optional<QColor>(QColor(1, 2, 3));
    };
    QWidget* panel = form->ANSIDefDlg->panels[3];
    QTest::keyClick(panel, Qt::Key_Return); // Enter stays the dialog's, for OK
    QTest::keyClick(panel, Qt::Key_Space);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(session.palette[3], rgb(1, 2, 3));
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(panel);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(button->text(QAccessible::Name), "Cyan");
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(asked, 2);
}

TEST_F(Access, CtrlShiftWOpensTheWalkThrough)
{
    test::whenModal(*form->VirtualDLG, [&] { form->VirtualDLG->accept(); });
    QTest::keyClick(form->CmdLine, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(form->CmdLine->text().empty());
}

// Every window's Tab chain, by the controls' names: each control once, in reading order, and
// every control named for a screen reader.
TEST_F(Access, EveryDialogTabsThroughEveryControlOnceInReadingOrder)
{
    struct Row {
        QWidget* window;
        QStringList order;
    };
    const QStringList editorColumn{"OKBtn", "AddBtn", "DeleteBtn", "EditBtn", "ExportBtn", "ImportBtn", "HelpBtn"};
    const QStringList okCancelHelp{"OKBtn", "CancelBtn", "HelpBtn"};
    QStringList hotkeys, ansi, roomExits;
    for (int n = 1; n <= 12; ++n)
        hotkeys << QString("Edit%1").arg(n) << QString("CheckBox%1").arg(3 * n - 1) << QString("CheckBox%1").arg(3 * n);
    for (int n = 1; n <= 16; ++n)
        ansi << QString("Panel%1").arg(n);
    for (int d = 1; d <= 10; ++d)
        roomExits << QString("CheckBox%1").arg(d) << QString("RM%1x").arg(d) << QString("RM%1y").arg(d)
                  << QString("RM%1z").arg(d);
    const Row rows[] = {
        {form->About, {"OKButton"}},
        {form->AddNoteDlg, QStringList{"KeyWord", "KeyText"} + okCancelHelp},
        {form->AliasDlg, QStringList{"AliasList"} + editorColumn},
        {&form->AliasDlg->editDlg(), QStringList{"Keyword", "AliasCmd"} + okCancelHelp},
        {form->ANSIDefDlg, ansi + QStringList{"DefaultsBtn", "OKBtn", "CancelBtn", "HelpBtn"}},
        {&form->MUDListForm->editDlg(), QStringList{"MudName", "MudAddress", "Port"} + okCancelHelp},
        {form->HotkeyDlg, hotkeys + QStringList{"RegularBtn", "ShiftBtn", "OKBtn", "CancelBtn", "ExportBtn", "ImportBtn", "HelpBtn"}},
        {form->LogFileDlg, QStringList{"LogName", "Button1", "LogSession"} + okCancelHelp},
        {form->LookupDlg, QStringList{"KeyWord", "KeyText"} + okCancelHelp},
        {form->LevelDLG, {"LText", "OKBtn", "CancelBtn"}},
        {form->MapForm, {"ScrollBox"}},
        {form->MUDListForm, {"MudListBox", "AddBtn", "EditBtn", "DeleteBtn", "ExportBtn", "ImportBtn", "ConnectBtn", "CancelBtn", "HelpBtn"}},
        {form->NumPadDlg, QStringList{"ComboBox7", "ComboBox8", "ComboBox9", "ComboBox4", "ComboBox5", "ComboBox6", "ComboBox1",
                                      "ComboBox2", "ComboBox3", "ComboBox0", "ComboBox", "EnablePad"} + okCancelHelp},
        {form->RoomEditDLG, QStringList{"TitleEdit", "DescMemo"} + roomExits + QStringList{"OKBtn", "CancelBtn", "HelpBtn"}},
        {form->MessageForm, {"ToName", "Subject", "Button1", "Button2", "Button3", "Button4", "Button5", "Button6", "NoteText"}},
        {form->SetupDlg, QStringList{"Edit5", "Edit6", "RadioButton1", "RadioButton2", "RadioButton3", "Edit3", "Edit4", "CheckBox4",
                                     "CheckBox3", "Button1", "Button2", "NoteTo", "NoteSubject", "NotePlus", "NoteSend"} + okCancelHelp},
        {form->StatRollDlg, {"ESTR", "EINT", "EWIS", "EDEX", "ECON", "ETOT", "ComboBox1", "RollBtn", "QuitBtn"}},
        {&form->TriggerDlg->editDlg(), QStringList{"Keyword", "TriggerCmd", "ActivatedBox", "ForeColor", "BackColor"} + okCancelHelp},
        {form->TriggerDlg, QStringList{"TriggerList"} + editorColumn},
        {form->VirtualDLG, {"VirtualScreen", "VirtualCmd", "OKBtn", "HelpBtn"}},
        {form->FindDialog1, {"FindEdit", "MatchCaseBox", "FindNextBtn", "CancelBtn"}},
        {form->SpeechDlg, {"RateBox", "MutedBox", "OKBtn", "CancelBtn"}},
        {form.get(), {"CmdLine"}},
    };
    for (const Row& row : rows) {
        QWidget* window = row.window;
        window->show();
        QStringList chain;
        QWidget* w = window;
        for (int guard = 0; guard < 500; ++guard) {
            w = w->nextInFocusChain();
            if (w == window)
                break;
            // The box inside an editable combo or spin box is part of it.
            if (w->window() != window || !w->isVisibleTo(window) || !w->isEnabled() ||
                !(w->focusPolicy() & Qt::TabFocus) || w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
                continue;
            chain << w->objectName();
            EXPECT_FALSE(accessibleName(w).isEmpty()) << qPrintable(w->objectName()) << " in " << qPrintable(window->windowTitle());
        }
        EXPECT_EQ(chain, row.order) << qPrintable(window->windowTitle());
        window->hide();
    }
}

} // namespace
} // namespace tw
