#include "core/qt/ApplicationNames.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/TMainForm.h"
#include "settings/OptionsFile.h"
#include "settings/qt/IniFile.h"
#include "settings/qt/TSetupDlg.h"
#include "script/qt/ListDialogSupport.h"
#include "qt/ModalDriver.h"
#include "support/TempDir.h"

#include <QLineEdit>
#include <QPushButton>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <deque>
#include <filesystem>
#include <functional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

struct MenuRow {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool checked;
    bool visible;
};

// Every item of the main menu with its caption, shortcut, check mark and visibility, in
// menu order.
const MenuRow Menu[] = {
    {"Connect1", "&Connect...", "", false, true},
    {"Disconnect1", "&Disconnect", "", false, true},
    {"Log1", "&Log...", "", false, true},
    {"Exit1", "E&xit", "", false, true},
    {"Dummy1", "Dummy", "F10", false, false},
    {"Dummy3", "Dummy", "Shift+F10", false, false},
    {"Dummy2", "Dummy", "Ctrl+A", false, false},
    {"Dummy4", "Dummy", "Ctrl+L", false, false},
    {"Cut1", "Cu&t", "Ctrl+X", false, true},
    {"Copy1", "&Copy", "Ctrl+C", false, true},
    {"CopyView1", "Copy &View Selection", "Ctrl+Shift+C", false, true},
    {"Paste1", "&Paste", "Ctrl+V", false, true},
    {"Find1", "&Find...", "Ctrl+F", false, true},
    {"FindAgain1", "Find A&gain", "Ctrl+G", false, true},
    {"GeneralSetup1", "&General Settings...", "", false, true},
    {"MUDList1", "&MUD List...", "", false, true},
    {"Triggers1", "&Triggers...", "", false, true},
    {"Aliases1", "&Aliases...", "", false, true},
    {"Hotkeys1", "&Hotkeys...", "", false, true},
    {"NumericKeypad1", "&Numeric Keypad...", "", false, true},
    {"ANSIDefinitions1", "ANSI Definitions...", "", false, true},
    {"LoadOptions1", "&Load Options...", "", false, true},
    {"SaveOptions1", "&Save Options...", "", false, true},
    {"ModernServerMode1", "Mo&dern Server Mode", "", false, true},
    {"LongHistory1", "Long H&istory", "", false, true},
    {"SpeakIncomingText1", "S&peak Incoming Text", "", false, true},
    {"SpeechSettings1", "Spee&ch Settings...", "", false, true},
    {"MagicMirror1", "Ma&gic Mirror", "Ctrl+M", true, true},
    {"TriggersToggle1", "&Triggers Toggle", "Ctrl+T", true, true},
    {"AliasesToggle1", "Al&iases Toggle", "", true, true},
    {"Automap1", "&Automap", "Ctrl+Z", false, true},
    {"ViewLog1", "View &Log", "Ctrl+G", false, true},
    {"ViewMaps1", "View &Maps", "", false, true},
    {"RunEditor1", "Run &Editor", "Ctrl+E", false, true},
    {"SendMessage1", "&Send Message", "Ctrl+S", false, true},
    {"SaveHistory1", "Save &History...", "", false, true},
    {"Channels1", "&Channels", "Ctrl+Shift+H", false, true},
    {"Lookup1", "Look Up &Note", "Ctrl+N", false, true},
    {"AddNote1", "&Add Note", "", false, true},
    {"EditNoteFile1", "&View Note File", "", false, true},
    {"About2", "&About...", "", false, true},
    {"Contents2", "&Contents", "", false, true},
};

struct MainWindow : ::testing::Test {
    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> boxes;
    std::deque<MsgAnswer> answers; // given to the boxes in turn; Ok when empty

    void SetUp() override
    {
        form = std::make_unique<TMainForm>();
        form->iniPath = dir.filePath("TARNWICK.INI");
        form->messageBoxHook = [this](const std::string& c, const std::string& t, MsgButtons) {
            boxes.push_back(c + "|" + t);
            if (answers.empty())
                return MsgAnswer::Ok;
            const MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        };
    }
};

TEST_F(MainWindow, MenuHasEveryItemInOrder)
{
    EXPECT_EQ(form->windowTitle(), "Tarnwick");
    std::vector<QAction*> items;
    QStringList menus;
    for (QAction* top : form->menuBar()->actions()) {
        menus << top->text();
        // Alt and a letter must reach one item of its menu, not cycle between two.
        QStringList mnemonics;
        for (QAction* a : top->menu()->actions()) {
            items.push_back(a);
            const QString m = QKeySequence::mnemonic(a->text()).toString();
            EXPECT_TRUE(m.isEmpty() || !a->isVisible() || !mnemonics.contains(m)) << a->text().toStdString();
            mnemonics << m;
        }
    }
    EXPECT_EQ(menus, (QStringList{"&MUD", "&Edit", "&Options", "&Special", "&Notes", "&Help"}));
    std::size_t row = 0;
    QStringList separatorsAfter;
    QString previous;
    for (QAction* a : items) {
        if (a->isSeparator()) {
            separatorsAfter << previous;
            continue;
        }
        ASSERT_LT(row, std::size(Menu));
        const MenuRow& want = Menu[row++];
        EXPECT_EQ(a->objectName(), want.name);
        EXPECT_EQ(a->text(), want.caption) << want.name;
        EXPECT_EQ(a->shortcut().toString(), want.shortcut) << want.name;
        EXPECT_EQ(a->isChecked(), want.checked) << want.name;
        EXPECT_EQ(a->isVisible(), want.visible) << want.name;
        previous = a->objectName();
    }
    EXPECT_EQ(row, std::size(Menu));
    EXPECT_EQ(separatorsAfter, (QStringList{"Log1", "Paste1", "ANSIDefinitions1", "SaveOptions1"}));
}

TEST_F(MainWindow, StartsIdleWithFindDisabled)
{
    EXPECT_EQ(form->Status->text(), "Awaiting your command...");
    EXPECT_EQ(form->MudName->text(), "(No connection)");
    EXPECT_FALSE(form->action("Find1")->isEnabled());
    EXPECT_FALSE(form->action("FindAgain1")->isEnabled());
    EXPECT_EQ(form->CmdLine->maxLength(), 255);
}

TEST_F(MainWindow, TogglesReportTheirState)
{
    form->action("TriggersToggle1")->trigger();
    EXPECT_EQ(form->Status->text(), "Triggers OFF");
    form->action("TriggersToggle1")->trigger();
    EXPECT_EQ(form->Status->text(), "Triggers ON");
    form->action("AliasesToggle1")->trigger();
    EXPECT_EQ(form->Status->text(), "Aliases OFF");
    EXPECT_FALSE(form->action("AliasesToggle1")->isChecked());

    // After #TRIGGEROFF the menu item switches triggers back on.
    form->session().ParseCommand("#TRIGGEROFF");
    EXPECT_FALSE(form->session().script.triggersOn);
    form->action("TriggersToggle1")->trigger();
    EXPECT_TRUE(form->session().script.triggersOn);
    EXPECT_TRUE(form->action("TriggersToggle1")->isChecked());
    EXPECT_EQ(form->Status->text(), "Triggers ON");
}

TEST_F(MainWindow, FirstTickReadsTheIniAndCloseWritesItBack)
{
    IniFile(form->iniPath).writeDefaultCfg(localPath(dir.filePath("gone.cfg")));
    form->TimerPop();
    EXPECT_TRUE(form->session().OptionsLoaded);
    EXPECT_EQ(form->session().optionsFileName, dir.filePath("gone.cfg").toStdString());
    EXPECT_TRUE(boxes.empty()); // a missing options file is skipped silently
    EXPECT_FALSE(form->Clock->text().isEmpty());

    form->session().optionsFileName.clear();
    form->close();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(IniFile(form->iniPath).readDefaultCfg(), ""); // written also when empty
    QFile ini(form->iniPath);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("[Options]\nDefaultCFG="));
}

TEST_F(MainWindow, FailedIniWriteIsReportedAndTheProgramStillCloses)
{
    form->iniPath = "/proc/tarnwick-cannot-write/TARNWICK.INI";
    form->close();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Tarnwick 5|Unable to write to /proc/tarnwick-cannot-write/TARNWICK.INI");
    EXPECT_FALSE(form->isVisible());
}

// The settings file as it may be found: a pipe (refused at once, not waited for), a file of
// 200 MB, random bytes. The window starts with the defaults and says once what it could not
// read; at exit it writes only what it understands, and says "Unable to write" only when the
// write failed.
TEST_F(MainWindow, AnIniThatCannotBeUnderstoodStartsWithTheDefaults)
{
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        const char* problem; // what the first tick says, nothing when empty
        bool written;
    };
    const Case cases[] = {
        {"pipe", [](const std::string& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); }, "Not a regular file", false},
        {"huge", [](const std::string& f) {
             test::putFile(f, "[Options]\n");
             ASSERT_EQ(::truncate(f.c_str(), 200 << 20), 0);
         }, "File too large", true},
        {"random bytes", [](const std::string& f) {
             std::mt19937 random(29);
             std::string bytes;
             while (bytes.size() < 4096)
                 bytes += char(random());
             test::putFile(f, bytes);
         }, "", true},
    };
    for (const Case& c : cases) {
        SetUp();
        boxes.clear();
        form->iniPath = dir.filePath(QString::fromLatin1(c.name) + ".INI");
        const std::string ini = localPath(form->iniPath);
        c.make(ini);
        form->TimerPop();
        std::vector<std::string> expected;
        if (*c.problem)
            expected.push_back("Tarnwick 5|The settings file " + ini + " was not read (" + c.problem +
                               "): Tarnwick starts with its defaults.");
        EXPECT_EQ(boxes, expected) << c.name;
        boxes.clear();
        form->close();
        if (!c.written)
            expected = {"Tarnwick 5|Unable to write to " + ini};
        else
            expected.clear();
        EXPECT_EQ(boxes, expected) << c.name;
        if (c.written)
            EXPECT_EQ(test::fileText(ini), "[Options]\nDefaultCFG=\n") << c.name;
        else
            EXPECT_FALSE(std::filesystem::is_regular_file(ini)) << c.name;
    }
}

// A file name that is not UTF-8 stays the file system's bytes from the command line to the INI
// file and back at the next start.
TEST_F(MainWindow, AnOptionsFileNameThatIsNotUtf8SurvivesTheIniFile)
{
    const std::string file = localPath(dir.path()) + "/bad\xe9name.cfg";
    OptionsData options;
    options.muds = {{"Realm", "realm.example", "4000"}};
    ASSERT_EQ(OptionsFile::save(file, options), std::nullopt);
    form->loadAtStart(file);
    form->TimerPop();
    EXPECT_EQ(form->Status->text(), "Option file loaded");
    form->close();
    SetUp();
    form->TimerPop();
    EXPECT_EQ(form->session().optionsFileName, file);
    EXPECT_EQ(form->session().muds.size(), 1u);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(MainWindow, MissingIniGivesAnEmptyName)
{
    form->TimerPop();
    EXPECT_EQ(form->session().optionsFileName, "");
}

TEST_F(MainWindow, KeyReleaseMapsToVirtualKeys)
{
    struct Case { int key; Qt::KeyboardModifiers mods; int vk; };
    const Case cases[] = {
        {Qt::Key_F1, Qt::NoModifier, 112},     {Qt::Key_F12, Qt::ShiftModifier, 123},
        {Qt::Key_8, Qt::KeypadModifier, 104},  {Qt::Key_0, Qt::KeypadModifier, 96},
        {Qt::Key_Period, Qt::KeypadModifier, 110}, {Qt::Key_8, Qt::NoModifier, 0},
        {Qt::Key_Up, Qt::KeypadModifier, 38},  {Qt::Key_PageUp, Qt::NoModifier, 33},
        {Qt::Key_L, Qt::ControlModifier, 76},
    };
    for (const auto& c : cases) {
        QKeyEvent e(QEvent::KeyRelease, c.key, c.mods);
        EXPECT_EQ(CommandLineEdit::virtualKey(&e), c.vk) << c.key;
    }
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// Saving everything, changing it and loading the file back restores it; the scrollback is
// kept when the size is unchanged and emptied when it differs.
TEST_F(MainWindow, OptionsSaveAndLoadRoundTrip)
{
    Session& s = form->session();
    const QString file = dir.filePath(QString::fromUtf8("m\xc3\xafne.cfg")); // names need not be ASCII
    form->chooseOptionsFile = [&](const QString&, bool) { return file; };
    s.muds.push_back({"Practice", "127.0.0.1", "4000"});
    s.hotkeys[3] = {"look", false, true};
    s.keypad[8] = "north";
    s.aliases().push_back({"k", "kill"});
    s.triggers().push_back({"hungry", "eat", "101501"});
    s.palette.colors[3] = 0x00123456;
    s.setup.EditorName = "gedit";
    s.setup.ScrollbackSize = 20000;
    form->SaveOptions1Click();
    EXPECT_EQ(form->Status->text(), "Option file saved");
    EXPECT_TRUE(QFile::exists(file));
    const OptionsData saved = s.optionsData();

    s.muds.clear();
    s.hotkeys[3] = {};
    s.keypad[8] = "n";
    s.aliases().clear();
    s.triggers().clear();
    s.palette = Palette();
    s.setup.EditorName = "other";
    s.KeypadEnabled = false;
    s.WriteTerminal("gone");
    form->LoadOptions1Click();
    EXPECT_EQ(form->Status->text(), "Option file loaded");
    const OptionsData loaded = s.optionsData();
    EXPECT_EQ(loaded.muds, saved.muds);
    EXPECT_EQ(loaded.hotkeys, saved.hotkeys);
    EXPECT_EQ(loaded.keypad, saved.keypad);
    EXPECT_EQ(loaded.aliases, saved.aliases);
    EXPECT_EQ(loaded.triggers, saved.triggers);
    EXPECT_EQ(loaded.palette, saved.palette);
    EXPECT_EQ(loaded.setup.EditorName, "gedit");
    EXPECT_FALSE(s.KeypadEnabled); // not part of the file
    EXPECT_EQ(form->SetupDlg->Edit5->text(), "gedit");
    // A new scrollback size empties the terminal; loading the same size again keeps it.
    EXPECT_EQ(s.terminal.ScrollbackCapacity(), 20000u);
    EXPECT_EQ(s.terminal.ScrollbackBuffer(), "");
    s.WriteTerminal("kept");
    form->LoadOptions1Click();
    EXPECT_EQ(s.terminal.ScrollbackBuffer(), "kept");

    // The next start loads the file the INI file names.
    form->close();
    TMainForm next;
    next.iniPath = form->iniPath;
    next.TimerPop();
    EXPECT_EQ(next.session().muds, saved.muds);
    EXPECT_EQ(next.Status->text(), "Option file loaded");
}

// A file that Load refuses, by its header or by being short, does not become the current
// options file, so the next save cannot overwrite it; named at start, it is forgotten.
TEST_F(MainWindow, RefusedOptionsFileIsNotTakenAndForgottenAtStart)
{
    const QString file = dir.filePath("old.cfg");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x04IDAC..........");
    f.close();
    form->session().optionsFileName = "current.cfg";
    form->chooseOptionsFile = [&](const QString&, bool) { return file; };
    form->LoadOptions1Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Options Failed!|Config no longer supported. Please get at least version 3.");
    EXPECT_EQ(form->session().optionsFileName, "current.cfg");

    IniFile(form->iniPath).writeDefaultCfg(localPath(file));
    TMainForm next;
    next.iniPath = form->iniPath;
    next.messageBoxHook = form->messageBoxHook;
    next.TimerPop();
    EXPECT_EQ(next.session().optionsFileName, "");
}

TEST_F(MainWindow, ShortOptionsFileChangesNothing)
{
    const QString file = dir.filePath("short.cfg");
    form->chooseOptionsFile = [&](const QString&, bool) { return file; };
    form->session().muds.push_back({"A", "b", "1"});
    form->SaveOptions1Click();
    QFile f(file);
    ASSERT_TRUE(f.resize(500));
    form->session().muds.clear();
    form->session().optionsFileName = "current.cfg";
    form->LoadOptions1Click();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Tarnwick 5|Read beyond end of file");
    EXPECT_TRUE(form->session().muds.empty());
    EXPECT_EQ(form->session().optionsFileName, "current.cfg");
}

} // namespace
} // namespace tw

#include "core/qt/FindDialog.h"
#include "core/qt/MirrorView.h"
#include "core/qt/PlainView.h"
#include <QCheckBox>
#include <QPlainTextEdit>

namespace tw {
namespace {

// Switching the colour view off shows the raw buffer, escape characters included, and offers
// Find; switching it on again takes Find away.
TEST_F(MainWindow, MagicMirrorSwitchAndFind)
{
    form->show();
    Session& s = form->session();
    s.WriteTerminal("\x1b[1;31mRed\x1b[0m line\r\nSecond line ends here");
    form->action("MagicMirror1")->trigger();
    EXPECT_FALSE(s.terminal.MirrorOn());
    EXPECT_TRUE(form->Terminal->isVisible());
    EXPECT_FALSE(form->Image->isVisible());
    EXPECT_TRUE(form->action("Find1")->isEnabled());
    const QString text = form->Terminal->toPlainText();
    EXPECT_TRUE(text.startsWith(QChar(0x2190) + QString("[1;31mRed"))) << text.toStdString();
    EXPECT_TRUE(text.contains("line\nSecond"));

    auto* edit = form->FindDialog1->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    edit->setText("");
    form->SelectFind();
    EXPECT_EQ(form->Status->text(), "Find what?");
    edit->setText("LINE");
    form->SelectFind();
    EXPECT_EQ(form->Terminal->textCursor().selectedText(), "line");
    EXPECT_EQ(form->Status->text(), "");
    form->FindAgain1Click();
    EXPECT_EQ(form->Terminal->textCursor().selectedText(), "line");
    form->FindAgain1Click();
    EXPECT_EQ(form->Terminal->textCursor().selectedText(), "line");
    const int second = form->Terminal->textCursor().selectionStart();
    form->FindAgain1Click();
    EXPECT_EQ(form->Terminal->textCursor().selectedText(), "line"); // no third one: kept
    EXPECT_EQ(form->Terminal->textCursor().selectionStart(), second);
    EXPECT_EQ(form->Status->text(), "Cannot find \"LINE\".");
    edit->setText("here");
    form->SelectFind(); // ends exactly at the end of the text
    EXPECT_EQ(form->Terminal->textCursor().selectedText(), "here");

    // Text that arrives meanwhile goes only into the buffer.
    s.WriteTerminal("more");
    EXPECT_FALSE(form->Terminal->toPlainText().endsWith("more"));

    form->action("MagicMirror1")->trigger();
    EXPECT_TRUE(s.terminal.MirrorOn());
    EXPECT_FALSE(form->action("Find1")->isEnabled());
    EXPECT_FALSE(form->action("FindAgain1")->isEnabled());
    EXPECT_TRUE(form->Image->isVisible());
}

// Closing General Settings clears the terminal only when the player changed the scrollback
// size; the terminal starting one character larger than the setting is no such change.
TEST_F(MainWindow, ScrollbackFollowsTheSetupDialog)
{
    Session& s = form->session();
    s.WriteTerminal("text");
    EXPECT_EQ(s.terminal.ScrollbackCapacity(), 16001u);
    test::whenModal(*form->SetupDlg, [&] { form->SetupDlg->CancelBtn->click(); });
    form->GeneralSetup1Click();
    EXPECT_EQ(s.terminal.ScrollbackBuffer(), "text");
    test::whenModal(*form->SetupDlg, [&] { form->SetupDlg->OKBtn->click(); });
    form->GeneralSetup1Click();
    EXPECT_EQ(s.terminal.ScrollbackBuffer(), "text");
    test::whenModal(*form->SetupDlg, [&] {
        form->SetupDlg->Edit4->setText("$4E20"); // 20000, as the range check reads it
        form->SetupDlg->OKBtn->click();
    });
    form->GeneralSetup1Click();
    EXPECT_EQ(s.setup.ScrollbackSize, 20000);
    EXPECT_EQ(s.terminal.ScrollbackCapacity(), 20000u);
    EXPECT_EQ(s.terminal.ScrollbackBuffer(), "");
}

} // namespace
} // namespace tw

#include "tools/qt/Launcher.h"

namespace tw {
namespace {

TEST_F(MainWindow, EditorCommandsStartTheEditorWithTheirFile)
{
    std::vector<QStringList> started;
    form->launcher().setStartDetached([&](const QString& program, const QStringList& args) {
        started.push_back(QStringList{program} + args);
        return true;
    });
    form->launcher().setIsOnPath([](const std::string& name) { return name == "gedit"; });
    form->session().setup.EditorName = "gedit";

    form->chooseOpenFile = [](const QString&, const QString&, const QString&) { return QString(); };
    form->ViewMaps1Click(); // cancelled: nothing starts
    EXPECT_TRUE(started.empty());

    form->chooseOpenFile = [](const QString& title, const QString&, const QString& name) {
        EXPECT_EQ(title, "Open Map File");
        EXPECT_EQ(name, "*.MAP");
        return QString("/tmp/town.map");
    };
    form->ViewMaps1Click();
    form->RunEditor1Click();
    form->action("EditNoteFile1")->trigger();
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0], (QStringList{"gedit", "/tmp/town.map"}));
    EXPECT_EQ(started[1], (QStringList{"gedit"}));
    EXPECT_EQ(started[2], (QStringList{"gedit", "notes.not"}));
}

} // namespace
} // namespace tw

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

namespace tw {
namespace {

TEST_F(MainWindow, ClipboardCommandsWorkOnTheCommandLineAndThePlainView)
{
    QClipboard* clip = QApplication::clipboard();
    form->CmdLine->QLineEdit::setText("kill orc");
    form->CmdLine->setSelection(0, 4);
    form->action("Copy1")->trigger();
    EXPECT_EQ(clip->text(), "kill");
    form->action("Cut1")->trigger();
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), " orc");
    form->CmdLine->setCursorPosition(0);
    form->action("Paste1")->trigger();
    EXPECT_EQ(form->CmdLine->QLineEdit::text(), "kill orc");

    // With a selection in the plain view too, that one ends up on the clipboard.
    form->session().WriteTerminal("The guard waves.");
    form->action("MagicMirror1")->trigger();
    QTextCursor c = form->Terminal->textCursor();
    c.setPosition(4);
    c.setPosition(9, QTextCursor::KeepAnchor);
    form->Terminal->setTextCursor(c);
    form->CmdLine->setSelection(0, 4);
    form->action("Copy1")->trigger();
    EXPECT_EQ(clip->text(), "guard");

    // The context menu's Paste enters pasted lines one by one, as Edit > Paste does.
    clip->setText("n\ne\n");
    form->CmdLine->QLineEdit::setText("");
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(1, 1), form->CmdLine->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(form->CmdLine, &menuKey);
    QMenu* menu = form->CmdLine->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    for (QAction* a : menu->actions())
        if (a->text().startsWith(QLineEdit::tr("&Paste")))
            a->trigger();
    menu->close();
    EXPECT_EQ(form->session().history.entries(), (std::vector<std::string>{"n", "e"}));
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// Settings and lists live only in options files: leaving with changes asks first, and what the
// player answers decides. Without changes nothing is asked.
TEST_F(MainWindow, LeavingWithUnsavedChangesAsksFirst)
{
    form->close();
    EXPECT_TRUE(boxes.empty());

    const QString file = dir.filePath("mine.cfg");
    int chosen = 0;
    for (MsgAnswer answer : {MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::Yes}) {
        SetUp();
        form->chooseOptionsFile = [&](const QString&, bool saving) {
            ++chosen;
            EXPECT_TRUE(saving);
            return file;
        };
        form->show();
        form->session().aliases().push_back({"k", "kill"});
        boxes.clear();
        answers = {answer};
        form->close();
        ASSERT_EQ(boxes, std::vector<std::string>{"Tarnwick 5|Save changes to the options file?"});
        EXPECT_EQ(form->isVisible(), answer == MsgAnswer::Cancel);
        EXPECT_EQ(QFile::exists(file), answer == MsgAnswer::Yes);
    }
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(IniFile(form->iniPath).readDefaultCfg(), localPath(file));

    // Loaded and unchanged: nothing to ask. Changed: saved over the current file at once.
    SetUp();
    form->TimerPop();
    ASSERT_EQ(form->session().aliases().size(), 1u);
    boxes.clear();
    form->session().setup.NoteTo = "tell";
    answers = {MsgAnswer::Yes};
    form->close();
    EXPECT_EQ(boxes.size(), 1u);
    SetUp();
    form->TimerPop();
    EXPECT_EQ(form->session().setup.NoteTo, "tell");
    boxes.clear();
    form->close();
    EXPECT_TRUE(boxes.empty());
}

// A save that fails leaves the current options file as it was, so the next start still finds
// a file that exists; names in any script work for options files and the INI file.
TEST_F(MainWindow, OptionsFileNamesChangeOnlyWithASuccessfulSave)
{
    const QString folder = dir.filePath(QString::fromUtf8("jos\xc3\xa9 \xd0\x94\xd0\xb8\xd0\xbc\xd0\xb0"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString good = folder + QString::fromUtf8("/\xe6\x9c\xac.cfg");
    QString choice = good;
    form->chooseOptionsFile = [&](const QString&, bool) { return choice; };
    form->session().muds.push_back({"Realm", "realm.example", "4000"});
    form->SaveOptions1Click();
    EXPECT_EQ(form->Status->text(), "Option file saved");
    EXPECT_EQ(textFromPath(form->session().optionsFileName), good);

    choice = dir.filePath("no-such-folder/x.cfg");
    form->SaveOptions1Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Tarnwick 5|File not found");
    EXPECT_EQ(textFromPath(form->session().optionsFileName), good);
    form->close();
    EXPECT_EQ(IniFile(form->iniPath).readDefaultCfg(), localPath(good));

    SetUp();
    form->TimerPop();
    EXPECT_EQ(form->Status->text(), "Option file loaded");
    ASSERT_EQ(form->session().muds.size(), 1u);
    EXPECT_EQ(form->session().muds[0].name, "Realm");
}

TEST_F(MainWindow, LayoutOfTheBottomRowsAndTheApplicationTitle)
{
    form->resize(1000, 700);
    form->ResizeAll();
    const int w = form->frameGeometry().width();
    EXPECT_EQ(form->CmdLine->width(), w - 8);
    EXPECT_EQ(form->Status->x(), 0);
    EXPECT_EQ(form->Status->width(), (w - 97) / 2);
    EXPECT_EQ(form->MudName->x(), form->Status->width());
    EXPECT_EQ(form->MudName->width(), form->Status->width());
    EXPECT_EQ(form->Clock->x(), form->MudName->x() + form->MudName->width());
    EXPECT_EQ(form->Clock->width(), 90);
    EXPECT_EQ(form->CmdLine->y() + form->CmdLine->height(), form->Status->y());

    setApplicationNames();
    EXPECT_EQ(QGuiApplication::desktopFileName(), "tarnwick");
    EXPECT_EQ(form->windowTitle(), "Tarnwick");
}

} // namespace
} // namespace tw

namespace tw {
namespace {

// A first start (no settings file) loads a copy of the sample options file made in the
// player's folder; later starts go by the settings file alone.
TEST_F(MainWindow, AFirstStartBeginsWithACopyOfTheSample)
{
    QTemporaryDir data;
    OptionsData sample;
    sample.muds = {{"Practice World", "127.0.0.1", "4000"}};
    const QString samplePath = data.filePath("practice.cfg");
    ASSERT_EQ(OptionsFile::save(localPath(samplePath), sample), std::nullopt);
    QFile::setPermissions(samplePath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    form->iniPath = dir.filePath("config/TARNWICK.INI");
    form->sampleFolders = {dir.filePath("nowhere"), data.path()};
    form->TimerPop();
    const QString copy = dir.filePath("config/practice.cfg");
    EXPECT_TRUE(QFileInfo(copy).isWritable());
    EXPECT_EQ(textFromPath(form->session().optionsFileName), copy);
    ASSERT_EQ(form->session().muds.size(), 1u);
    EXPECT_EQ(form->session().muds[0].name, "Practice World");
    EXPECT_EQ(IniFile(form->iniPath).readDefaultCfg(), localPath(copy));

    // The player's copy is the current file: changes saved at exit go there, not to the sample.
    form->session().muds.push_back({"Mine", "mine.example", "23"});
    answers = {MsgAnswer::Yes};
    form->close();
    EXPECT_EQ(OptionsFile::load(localPath(samplePath), SetupVars{}).data.muds.size(), 1u);
    EXPECT_EQ(OptionsFile::load(localPath(copy), SetupVars{}).data.muds.size(), 2u);

    SetUp();
    form->iniPath = dir.filePath("config/TARNWICK.INI");
    IniFile(form->iniPath).writeDefaultCfg("");
    form->sampleFolders = {data.path()};
    form->TimerPop();
    EXPECT_TRUE(form->session().muds.empty());

    // A file named at start is loaded instead of the last one, and becomes the current file.
    SetUp();
    form->iniPath = dir.filePath("config/TARNWICK.INI");
    IniFile(form->iniPath).writeDefaultCfg(localPath(copy));
    form->loadAtStart(localPath(samplePath));
    form->TimerPop();
    EXPECT_EQ(textFromPath(form->session().optionsFileName), samplePath);
    EXPECT_EQ(form->session().muds.size(), 1u);
}

} // namespace
} // namespace tw
