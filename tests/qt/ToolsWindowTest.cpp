// The tools through the main window: the Log File dialog and View Log, the note dialogs, the
// Send Message window and the stat roller's window.
#include "DialogChildren.h"
#include "ModalDriver.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/PlainView.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "settings/qt/TSetupDlg.h"
#include "script/qt/ListFileDialog.h"
#include "tools/qt/Launcher.h"
#include "tools/qt/TAddNoteDlg.h"
#include "tools/qt/TLogFileDlg.h"
#include "tools/qt/TLookupDlg.h"
#include "tools/qt/TMessageForm.h"
#include "tools/qt/TStatRollDlg.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

using test::child;
using test::whenModal;

struct Tools : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> boxes;
    std::vector<QStringList> started;

    void SetUp() override
    {
        form = std::make_unique<TMainForm>();
        form->iniPath = dir.filePath("TARNWICK.INI");
        form->messageBoxHook = [this](const std::string& c, const std::string& t, MsgButtons) {
            boxes.push_back(c + "|" + t);
            return MsgAnswer::Ok;
        };
        form->launcher().setStartDetached([this](const QString& program, const QStringList& args) {
            started.push_back(QStringList{program} + args);
            return true;
        });
        form->launcher().setIsOnPath([](const std::string& name) { return name == "gedit"; });
        form->session().setup.EditorName = "gedit";
        form->session().markOptionsSaved(); // as if loaded from an options file
    }

    Session& session() { return form->session(); }
    std::string path(const QString& name) { return QFile::encodeName(dir.filePath(name)).toStdString(); }

    // Runs the Log File dialog from the menu, filling it as given.
    void logDialog(const QString& name, bool on, bool ok = true)
    {
        TLogFileDlg& dlg = *form->LogFileDlg;
        whenModal(dlg, [&] {
            dlg.LogName->setText(name);
            dlg.LogSession->setChecked(on);
            child(dlg, ok ? "OKBtn" : "CancelBtn")->click();
        });
        form->action("Log1")->trigger();
    }
};

TEST_F(Tools, LogDialogAppliesOnOkAndAFailedWriteClearsItsBox)
{
    TLogFileDlg& dlg = *form->LogFileDlg;
    EXPECT_EQ(dlg.windowTitle(), "Log File");
    EXPECT_EQ(dlg.LogSession->text(), "&Log Session");
    EXPECT_EQ(dlg.Button1->text(), "&Browse");

    const QString name = dir.filePath(QString::fromUtf8("j\xc3\xb6urnal.log"));
    logDialog(name, true, false);
    EXPECT_FALSE(session().LoggingOn);
    EXPECT_EQ(session().LogFileName, "");
    logDialog(name, true);
    EXPECT_TRUE(session().LoggingOn);
    EXPECT_EQ(session().LogFileName, QFile::encodeName(name).toStdString());
    session().MudSockRead("You see\n\r");
    form->close(); // closes the log
    EXPECT_FALSE(session().sessionLog.isOpen());
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "You see\r\n");

    // The dialog shows the log's state at every opening; Browse fills in the chosen name.
    dlg.chooseFile = [&](const QString& current) {
        EXPECT_EQ(current, name);
        return QString("/dev/full");
    };
    whenModal(dlg, [&] {
        EXPECT_EQ(dlg.LogName->text(), name);
        EXPECT_FALSE(dlg.LogSession->isChecked()); // the close at exit did not switch it off
        child(dlg, "Button1")->click();
        dlg.LogSession->setChecked(true);
        child(dlg, "OKBtn")->click();
    });
    session().LoggingOn = false;
    form->action("Log1")->trigger();
    EXPECT_TRUE(session().LoggingOn);
    EXPECT_TRUE(dlg.LogSession->isChecked());
    session().MudSockRead("disk full");
    EXPECT_FALSE(session().LoggingOn);
    EXPECT_FALSE(dlg.LogSession->isChecked());
    EXPECT_TRUE(boxes.empty());

    // A file that cannot be opened is reported, and the log stays as it was.
    logDialog(dir.filePath("missing/game.log"), true);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Tarnwick 5|File not found"}));
    EXPECT_FALSE(session().LoggingOn);
    EXPECT_EQ(session().LogFileName, "/dev/full");
}

// View Log opens the log in the editor; without a log name it asks for a file first, and
// Cancel there starts nothing.
TEST_F(Tools, ViewLogStartsTheEditor)
{
    QStringList asked;
    QString answer;
    form->chooseOpenFile = [&](const QString& title, const QString& filter, const QString& name) {
        asked << title << filter << name;
        return answer;
    };
    form->action("ViewLog1")->trigger();
    EXPECT_EQ(asked, (QStringList{"Open Log File", "Log File (*.LOG)|*.LOG|All files (*.*)|*.*", "*.LOG"}));
    EXPECT_TRUE(started.empty());
    answer = dir.filePath(QString::fromUtf8("s\xc3\xa9" "ance.log"));
    form->action("ViewLog1")->trigger();
    session().LogFileName = "game.log";
    form->action("ViewLog1")->trigger();
    EXPECT_EQ(asked.size(), 6);
    EXPECT_EQ(started, (std::vector<QStringList>{{"gedit", answer}, {"gedit", "game.log"}}));

    // The file dialogs of View Log and of the Log File dialog's Browse both show the filters.
    const QStringList filters{"Log File (*.LOG)", "All files (*.*)"};
    EXPECT_EQ(ListFileDialog::nameFilters(asked[1]), filters);
    const auto browse = form->LogFileDlg->makeFileDialog("");
    EXPECT_EQ(browse->nameFilters(), filters);
    EXPECT_EQ(browse->windowTitle(), "Open Log File");
    EXPECT_EQ(browse->fileMode(), QFileDialog::AnyFile);
}

// Ctrl+L switches logging from the command line. Ctrl+G is View Log in the colour view and
// Find Again in the plain view, and the menu says so.
TEST_F(Tools, CtrlLAndCtrlGFromTheKeyboard)
{
    form->show();
    form->activateWindow(); // shortcuts reach only the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form->CmdLine, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(form->Status->text(), "No log file defined");
    session().LogFileName = "game.log";
    QTest::keyClick(form->CmdLine, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(form->Status->text(), "Logging toggled ON");
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "");
    QTest::keyClick(form->CmdLine, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(started.size(), 1u);
    form->action("MagicMirror1")->trigger();
    EXPECT_EQ(form->action("ViewLog1")->text(), "View &Log\tCtrl+G in colour view");
    QTest::keyClick(form->Terminal, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(started.size(), 1u);
    EXPECT_EQ(form->Status->text(), "Find what?");
}

TEST_F(Tools, NotesAreAddedAndLookedUp)
{
    session().setup.NoteFileName = path(QString::fromUtf8("n\xc3\xb6tes.not"));
    TLookupDlg& look = *form->LookupDlg;
    TAddNoteDlg& add = *form->AddNoteDlg;
    EXPECT_EQ(look.windowTitle(), "Lookup Note");
    EXPECT_EQ(add.windowTitle(), "Add Note");
    EXPECT_EQ(child(add, "OKBtn")->text(), "&Add");
    EXPECT_EQ(child(look, "OKBtn")->text(), "&Look Up");
    EXPECT_TRUE(look.KeyText->isReadOnly());

    const auto lookUp = [&](const char* search) {
        look.KeyWord->setText(search);
        child(look, "OKBtn")->click();
        return look.KeyText->text();
    };
    whenModal(look, [&] {
        EXPECT_EQ(look.focusWidget(), look.KeyWord);
        EXPECT_EQ(lookUp("lair"), "");
        EXPECT_EQ(form->Status->text(), "Note file not specified.");
        EXPECT_EQ(look.KeyWord->text(), "");
        child(look, "CancelBtn")->click();
    });
    form->action("Lookup1")->trigger();

    whenModal(add, [&] {
        EXPECT_EQ(add.focusWidget(), add.KeyWord);
        add.KeyWord->setText("Dragon Lair");
        add.KeyText->setText(QString::fromUtf8("north twice, then up \xe2\x86\x91"));
        child(add, "OKBtn")->click();
    });
    form->action("AddNote1")->trigger();
    EXPECT_EQ(form->Status->text(), "Note added");
    EXPECT_EQ(add.KeyWord->text(), "");

    whenModal(look, [&] {
        EXPECT_EQ(lookUp("gon l"), QString::fromUtf8("north twice, then up \xe2\x86\x91"));
        EXPECT_EQ(look.KeyWord->selectedText(), "gon l");
        child(look, "CancelBtn")->click();
    });
    form->action("Lookup1")->trigger();

    // A failed write is reported and keeps the dialog and its boxes.
    session().setup.NoteFileName = "/dev/full";
    whenModal(add, [&] {
        add.KeyWord->setText("kept");
        child(add, "OKBtn")->click();
        EXPECT_TRUE(add.isVisible());
        EXPECT_EQ(add.KeyWord->text(), "kept");
        child(add, "CancelBtn")->click();
    });
    form->action("AddNote1")->trigger();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Tarnwick 5|Not a regular file"}));
}

TEST_F(Tools, MessageWindowCollectsTheMessage)
{
    TMessageForm& msg = *form->MessageForm;
    EXPECT_EQ(msg.windowTitle(), "Send Message");
    EXPECT_FALSE(msg.windowFlags() & Qt::WindowCloseButtonHint);
    const test::ButtonCaption captions[] = {{"Button1", "&New"},    {"Button2", "&Write"},
                                            {"Button3", "&Send"},   {"Button4", "&Cancel"},
                                            {"Button5", "&Options"}, {"Button6", "&Help"}};
    test::expectCaptions(msg, captions);
    EXPECT_EQ(msg.ToName->maxLength(), 60);
    EXPECT_EQ(msg.Subject->maxLength(), 60);

    const QString paragraph = QString("word ").repeated(40).trimmed();
    whenModal(msg, [&] {
        EXPECT_EQ(msg.focusWidget(), msg.ToName);
        msg.ToName->setText("Bob");
        msg.NoteText->setPlainText("a\n\n" + paragraph + "\n");
        const std::vector<std::string> lines = msg.displayedLines();
        ASSERT_GT(lines.size(), 5u); // the long paragraph is shown on several rows
        EXPECT_EQ(lines[0], "a");
        EXPECT_EQ(lines[1], "");
        EXPECT_EQ(lines.back(), "");
        std::string joined;
        for (std::size_t i = 2; i + 1 < lines.size(); ++i)
            joined += lines[i];
        EXPECT_EQ(joined, paragraph.toStdString());

        msg.NoteText->setPlainText("");
        msg.NoteText->insertPlainText(QString(5000, 'x'));
        EXPECT_EQ(msg.NoteText->toPlainText().size(), 4096);
        child(msg, "Button3")->click();
    });
    form->action("SendMessage1")->trigger();
    whenModal(msg, [&] { child(msg, "Button2")->click(); }); // Write
    form->action("SendMessage1")->trigger();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Error|You are not connected!", "Error|You are not connected!"}));

    // Options opens the General Setup dialog, and the message window does not come back.
    whenModal(msg, [&] {
        child(msg, "Button1")->click(); // New empties everything
        EXPECT_EQ(msg.ToName->text(), "");
        EXPECT_EQ(msg.NoteText->toPlainText(), "");
        child(msg, "Button5")->click();
    });
    whenModal(*form->SetupDlg, [&] { form->SetupDlg->reject(); });
    form->action("SendMessage1")->trigger();
    EXPECT_FALSE(msg.isVisible());
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(Tools, StatRollerWindowOpensByItsKeyAndKeepsRollingWhenHidden)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    TStatRollDlg& roll = *form->StatRollDlg;
    form->action("MagicMirror1")->trigger();
    QTest::keyClicks(form->Terminal, "xCstatrolle");
    EXPECT_FALSE(roll.isVisible());
    QTest::keyClicks(form->Terminal, "r");
    ASSERT_TRUE(roll.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&roll));

    EXPECT_EQ(roll.focusWidget(), roll.ESTR);
    EXPECT_EQ(roll.windowTitle(), "Stat Roller");
    EXPECT_FALSE(roll.isModal());
    EXPECT_FALSE(roll.windowFlags() & Qt::WindowCloseButtonHint);
    QStringList frames;
    for (const char* name : {"ESTR", "EINT", "EWIS", "EDEX", "ECON", "ETOT"}) {
        auto* edit = child<QLineEdit>(roll, name);
        frames << qobject_cast<QGroupBox*>(edit->parentWidget())->title() + "=" + edit->text();
    }
    EXPECT_EQ(frames, (QStringList{"STR=10", "INT=10", "WIS=10", "DEX=10", "CON=10", "Min Total=90"}));
    EXPECT_EQ(roll.ETOT->maxLength(), 3);
    EXPECT_EQ(roll.ComboBox1->count(), 14);
    EXPECT_EQ(roll.ComboBox1->currentText(), "Default");
    EXPECT_EQ(roll.QuitBtn->text(), "&Quit");

    // Typing part of a race changes nothing; choosing one sets its minimums.
    roll.ComboBox1->lineEdit()->clear();
    QTest::keyClicks(roll.ComboBox1->lineEdit(), "Hum");
    EXPECT_EQ(roll.ComboBox1->currentText(), "Hum");
    EXPECT_EQ(roll.ESTR->text(), "10");
    roll.ComboBox1->setCurrentIndex(roll.ComboBox1->findText("Human"));
    EXPECT_EQ(roll.ESTR->text(), "20");
    EXPECT_EQ(roll.ETOT->text(), "96");

    // Finishing a box (leaving it, or Enter) corrects it; Enter does not press a button.
    roll.EDEX->selectAll();
    QTest::keyClicks(roll.EDEX, "3");
    QTest::keyClick(roll.EDEX, Qt::Key_Return);
    EXPECT_EQ(roll.EDEX->text(), "5");
    EXPECT_EQ(session().statRoller.boxes[StatRoller::DEX], "5");
    EXPECT_EQ(roll.RollBtn->text(), "&Roll");
    roll.EDEX->selectAll();
    QTest::keyClicks(roll.EDEX, "20");

    // Escape hides the window and rolling goes on; a match stops it and says so.
    roll.RollBtn->click();
    EXPECT_EQ(roll.RollBtn->text(), "&Stop");
    QTest::keyClick(roll.ESTR, Qt::Key_Escape);
    EXPECT_FALSE(roll.isVisible());
    session().MudSockRead("Strength: 20 Intelligence: 18 Wisdom: 18 Dexterity: 20 Constitution: 20");
    EXPECT_EQ(roll.RollBtn->text(), "&Roll");
    EXPECT_EQ(boxes, (std::vector<std::string>{"Warning|Found a match!"}));

    form->showStatRoller();
    roll.RollBtn->click();
    roll.QuitBtn->click();
    EXPECT_FALSE(roll.isVisible());
    EXPECT_FALSE(session().statRoller.rolling());
}

} // namespace
} // namespace tw
