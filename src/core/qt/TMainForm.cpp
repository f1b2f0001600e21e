#include "core/qt/TMainForm.h"

#include "core/qt/AboutBox.h"
#include "base/TextSearch.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/MainMenu.h"
#include "core/qt/MenuKeysFirst.h"
#include "core/qt/PlainView.h"
#include "core/qt/FindDialog.h"
#include "core/qt/MirrorView.h"
#include "net/qt/TANSIDefDLG.h"
#include "core/qt/StatusPanel.h"
#include "map/qt/TLevelDLG.h"
#include "map/qt/TMapForm.h"
#include "map/qt/TRoomEditDLG.h"
#include "map/qt/TVirtualDLG.h"
#include "net/BlockRepair.h"
#include "net/SockError.h"
#include "net/qt/MudSocketPort.h"
#include "net/qt/TBasicClientSocket.h"
#include "script/qt/TAliasDlg.h"
#include "script/qt/THotkeyDlg.h"
#include "script/qt/TTriggerDlg.h"
#include "script/qt/TNumPadDlg.h"
#include "settings/qt/TMUDListForm.h"
#include "base/FileIo.h"
#include "settings/OptionsMenu.h"
#include "settings/qt/IniFile.h"
#include "settings/qt/TSetupDlg.h"
#include "tools/qt/Launcher.h"
#include "tools/qt/SoundPlayer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QTime>
#include <QTimer>

namespace tw {

namespace {

QString qs(const std::string& s) { return QString::fromLatin1(s.data(), int(s.size())); }
std::string bytes(const QString& s) { return s.toLatin1().toStdString(); }

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("TMainForm");
    setWindowTitle("Tarnwick");
    iniPath = IniFile::defaultPath();

    launcher_ = std::make_unique<Launcher>();
    chooseOpenFile = [this](const QString& title, const QString& filter, const QString& name) {
        QFileDialog dialog(this, title, QString(), filter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::ReadOnly, true);
        if (!name.isEmpty())
            dialog.selectFile(name);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    MudSock = new TBasicClientSocket(this);
    MudSock->setObjectName("MudSock");
    MudSock->setProtocol("tcp");
    MudSock->setTimeOut(30);
    chooseOptionsFile = [this](const QString& title, bool forSaving) {
        QFileDialog dialog(this, title, QString(), "Options File (*.cfg *.CFG);;All files (*)");
        dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(OptionsMenu::DefaultExtension);
        // The overwrite question is the save's own.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        const QString current = qs(session_->optionsFileName);
        if (!current.isEmpty() && current != OptionsMenu::InitialFileName)
            dialog.selectFile(current);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    socketPort_ = std::make_unique<MudSocketPort>(*MudSock);
    session_ = std::make_unique<Session>(*this, *socketPort_);
    ConnectionLifecycle& life = session_->connection;
    connect(MudSock, &TBasicClientSocket::OnInfo, this, [&life](int code) { life.SockInfo(code); });
    connect(MudSock, &TBasicClientSocket::OnConnect, this, [&life] { life.SockConnect(); });
    connect(MudSock, &TBasicClientSocket::OnDisconnect, this, [&life] { life.SockDisconnect(); });
    connect(MudSock, &TBasicClientSocket::OnRead, this, &TMainForm::MudSockRead);
    connect(MudSock, &TBasicClientSocket::OnWrite, this, [this] { session_->send.MudSockWrite(); });
    connect(MudSock, &TBasicClientSocket::OnError, this, [this](const QString& message) {
        messageBox(AppTitle, bytes(message), MsgButtons::Ok);
    });
    life.connected = [this] {
        Terminal->clear();
        if (action("MagicMirror1")->isChecked())
            session_->WriteTerminal("\r\n\r\n");
    };

    central_ = new QWidget(this);
    central_->setObjectName("Central");
    setCentralWidget(central_);

    Image = new MirrorView(session_->terminal, session_->palette, central_);
    Image->setObjectName("Image");

    Terminal = new PlainView(central_);
    Terminal->hide();
    Terminal->onTyped = [this](char typed) { session_->TerminalKey(typed); };

    CmdLine = new CommandLineEdit(central_);
    QFont cmdFont = CmdLine->font();
    cmdFont.setBold(true);
    CmdLine->setFont(cmdFont);
    CmdLine->onKeyUp = [this](int key, KeyModifiers mods) {
        session_->ProcessCmdKey(*CmdLine, key, mods);
    };
    connect(CmdLine, &QLineEdit::returnPressed, this, &TMainForm::EnterButtonClick);

    Status = new StatusPanel("Status", "Awaiting your command...", central_);
    MudName = new StatusPanel("MudName", "(No connection)", central_);
    Clock = new StatusPanel("Clock", QString(), central_);
    QFont clockFont = Clock->font();
    clockFont.setBold(true);
    Clock->setFont(clockFont);
    Clock->setAlignment(Qt::AlignCenter);

    buildMenus();
    auto* menuKeys = new MenuKeysFirst([this] {
        std::vector<QAction*> all;
        for (const auto& [name, a] : actions_)
            all.push_back(a);
        return all;
    }, this);
    menuKeys->watch(CmdLine);
    menuKeys->watch(Terminal);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::TimerPop);

    SoundPlay = new SoundPlayer(this);
    FindDialog1 = new FindDialog(this);
    connect(FindDialog1, &FindDialog::findRequested, this, &TMainForm::SelectFind);

    // The other windows, in the order the program creates them (each list dialog holds its
    // edit dialog). The colour dialog sets the default palette; the setup dialog reads its
    // start values into the settings record.
    About = new AboutBox(this);
    AliasDlg = new TAliasDlg(session_->aliases(), *this, this);
    ANSIDefDlg = new TANSIDefDLG(session_->palette, *this, this);
    HotkeyDlg = new THotkeyDlg(session_->hotkeys, *this, this);
    LevelDLG = new TLevelDLG(this);
    MapForm = new TMapForm(*session_, *LevelDLG, this);
    MUDListForm = new TMUDListForm(session_->muds, *this, this);
    NumPadDlg = new TNumPadDlg(session_->keypad, session_->KeypadEnabled, *this, this);
    RoomEditDLG = new TRoomEditDLG(session_->map, *this, this);
    MapForm->RoomEditDLG = RoomEditDLG;
    SetupDlg = new TSetupDlg(session_->setup, *Terminal, *this, this);
    SetupDlg->InitSetupVars();
    TriggerDlg = new TTriggerDlg(session_->triggers(), *this, this);
    VirtualDLG = new TVirtualDLG(session_->map, *RoomEditDLG, *this, this);
    MapForm->VirtualDLG = VirtualDLG;

    SizeAll();
    updateClock();
    Timer1->start();
    resize(1024, 720);
}

TMainForm::~TMainForm() = default;

void TMainForm::buildMenus()
{
    actions_ = buildMainMenu(*menuBar(), *this);
    action("TriggersToggle1")->setChecked(true);
    action("AliasesToggle1")->setChecked(true);
    // The script commands switch the toggles too; the check marks show the state each time the
    // menu opens.
    if (auto* special = menuBar()->findChild<QMenu*>("SpecialMenu"))
        connect(special, &QMenu::aboutToShow, this, [this] {
            action("TriggersToggle1")->setChecked(session_->script.triggersOn);
            action("AliasesToggle1")->setChecked(session_->script.aliasesOn);
        });
}

// "Find Again" and "View Log" share Ctrl+G. Qt fires neither of two enabled actions with one
// key, so the key belongs to Find Again while the plain view offers it, else to View Log.
void TMainForm::updateSharedShortcut()
{
    QAction* viewLog = action("ViewLog1");
    if (action("FindAgain1")->isEnabled()) {
        viewLog->setShortcut(QKeySequence());
        viewLog->setText("View &Log\tCtrl+G");
    } else {
        viewLog->setText("View &Log");
        viewLog->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    }
}

QAction* TMainForm::action(const QString& name) const
{
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void TMainForm::SizeAll()
{
    ResizeAll();
    session_->connection.ReconnectArmed = false;
    session_->LoggingOn = false;
    session_->LogFileName.clear();
    session_->OptionsLoaded = false;
    action("MagicMirror1")->setChecked(true);
    session_->terminal.setMirrorOn(true);
    Image->show();
    Image->setEnabled(true);
    action("Find1")->setEnabled(false);
    action("FindAgain1")->setEnabled(false);
    updateSharedShortcut();
    session_->WriteTerminal("");
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    ResizeAll();
}

void TMainForm::ResizeAll()
{
    const int w = central_->width();
    const int h = central_->height();
    const int rowHeight = std::max(17, CmdLine->sizeHint().height());
    const int clockWidth = 90;
    const int half = std::max(0, (w - clockWidth) / 2);
    Status->setGeometry(0, h - rowHeight, half, rowHeight);
    MudName->setGeometry(half, h - rowHeight, half, rowHeight);
    Clock->setGeometry(2 * half, h - rowHeight, w - 2 * half, rowHeight);
    CmdLine->setGeometry(0, h - 2 * rowHeight, w, rowHeight);
    const int termHeight = std::max(0, h - 2 * rowHeight);
    Terminal->setGeometry(0, 0, w, termHeight);
    Image->setGeometry(0, 0, w, termHeight);
    session_->terminal.setColumnCount(Terminal::columnCountForWidth(w));
    session_->terminal.setRowCount(Terminal::rowCountForHeight(termHeight));
    session_->WriteTerminal("");
}

void TMainForm::updateClock()
{
    // The system's time format, without a time zone.
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    Clock->setText(QTime::currentTime().toString(format.trimmed()));
}

void TMainForm::TimerPop()
{
    if (!session_->OptionsLoaded) {
        session_->optionsFileName = bytes(IniFile(iniPath).readDefaultCfg());
        session_->OptionsLoaded = true;
        if (!session_->optionsFileName.empty() && fileExists(session_->optionsFileName))
            LoadOptionsNow();
    }
    updateClock();
    session_->tick();
}

void TMainForm::EnterButtonClick()
{
    CmdLine->selectAll();
    session_->ProcessCommand(*CmdLine);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    DoClose();
    event->accept();
}

void TMainForm::DoClose()
{
    if (closed_)
        return;
    closed_ = true;
    Timer1->stop();
    IniFile ini(iniPath);
    if (!ini.writeDefaultCfg(qs(session_->optionsFileName)))
        messageBox(AppTitle, "Unable to write to " + bytes(ini.path()),
                   MsgButtons::Ok);
    session_->terminal.release();
    session_->script.captures.clear();
    session_->script.delays = DelayQueue();
}

// --- Host ---

bool TMainForm::socketConnected() const { return MudSock->Connected(); }

std::size_t TMainForm::socketWrite(std::string_view data)
{
    return MudSock->Write(data.data(), data.size());
}

void TMainForm::MudSockRead()
{
    if (MudSock->State() != TBasicClientSocket::StateConnected &&
        MudSock->State() != TBasicClientSocket::StateClosing)
        return;
    static char buffer[MaxReadBlock];
    try {
        const std::size_t n = MudSock->Read(buffer, MaxReadBlock);
        session_->MudSockRead(std::string_view(buffer, n));
    } catch (const SockError& e) {
        messageBox(AppTitle, e.what(), MsgButtons::Ok);
    }
}

void TMainForm::setStatus(const std::string& text) { Status->setText(qs(text)); }

void TMainForm::setMudName(const std::string& text) { MudName->setText(qs(text)); }

MsgAnswer TMainForm::messageBox(const std::string& caption, const std::string& text,
                                MsgButtons buttons)
{
    if (messageBoxHook)
        return messageBoxHook(caption, text, buttons);
    QMessageBox box(this);
    box.setWindowTitle(qs(caption));
    box.setText(qs(text));
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setIcon(QMessageBox::Question);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return MsgAnswer::Ok;
    }
}

void TMainForm::terminalChanged() { Image->update(); }

void TMainForm::runHelp(const std::string& commandLine) { launcher_->runHelp(commandLine); }

void TMainForm::runEditor(const std::string& editor, const std::string& file)
{
    launcher_->runEditor(editor, file);
}

void TMainForm::playSound(const std::string& file) { SoundPlay->play(file); }

void TMainForm::stopSound() { SoundPlay->stop(); }

void TMainForm::showStatRoller() {}

// --- Menu handlers ---

void TMainForm::Connect1Click() { MUDList1Click(); }

void TMainForm::Disconnect1Click() { session_->connection.Disconnect1Click(); }

void TMainForm::Log1Click() {}

void TMainForm::Exit1Click() { close(); }

void TMainForm::Cut1Click() { CmdLine->cut(); }

void TMainForm::Copy1Click()
{
    CmdLine->copy();
    if (Terminal->textCursor().hasSelection())
        Terminal->copy();
}

void TMainForm::Paste1Click() { CmdLine->paste(); }

void TMainForm::Find1Click()
{
    FindDialog1->show();
    FindDialog1->raise();
    FindDialog1->activateWindow();
}

void TMainForm::FindAgain1Click() { SelectFind(); }

void TMainForm::SelectFind()
{
    const QString what = FindDialog1->findText();
    if (what.isEmpty()) {
        setStatus(FindWhatText);
        return;
    }
    const std::string needle = bytes(what);
    if (!Terminal->findNext(needle, FindDialog1->matchCase())) {
        setStatus(cannotFindText(needle));
        return;
    }
    FindDialog1->hide();
    activateWindow();
    Terminal->setFocus();
    setStatus("");
}

void TMainForm::GeneralSetup1Click()
{
    SetupDlg->FillValues();
    SetupDlg->exec();
    session_->applySettings();
}

void TMainForm::MUDList1Click()
{
    const std::optional<MudEntry> chosen = MUDListForm->chooseMud();
    if (!chosen)
        return;
    try {
        session_->connection.connectTo(chosen->name, chosen->address, chosen->port);
    } catch (const SockError& e) {
        messageBox(AppTitle, e.what(), MsgButtons::Ok);
    }
}

void TMainForm::Triggers1Click() { TriggerDlg->exec(); }

void TMainForm::Aliases1Click() { AliasDlg->exec(); }

void TMainForm::Hotkeys1Click() { HotkeyDlg->exec(); }

void TMainForm::NumericKeypad1Click() { NumPadDlg->exec(); }

void TMainForm::ANSIDefinitions1Click()
{
    if (ANSIDefDlg->exec() == QDialog::Accepted)
        session_->WriteTerminal("");
}

void TMainForm::LoadOptions1Click()
{
    const QString file = chooseOptionsFile(OptionsMenu::LoadTitle, false);
    if (file.isEmpty())
        return;
    session_->optionsFileName = bytes(file);
    LoadOptionsNow();
}

void TMainForm::LoadOptionsNow()
{
    const OptionsLoadResult result =
        OptionsMenu::loadOptionsNow(*this, session_->optionsFileName, session_->setup);
    switch (result.kind) {
    case OptionsLoadResult::Kind::Loaded:
        session_->takeOptions(result.data);
        // The settings are applied as the General Setup dialog applies them.
        SetupDlg->FillValues();
        SetupDlg->OKBtnClick();
        session_->applySettings();
        break;
    case OptionsLoadResult::Kind::RefusedHeader:
        session_->optionsFileName.clear();
        break;
    case OptionsLoadResult::Kind::IoError:
        messageBox(AppTitle, result.errorText, MsgButtons::Ok);
        break;
    case OptionsLoadResult::Kind::FileMissing:
        break;
    }
}

void TMainForm::SaveOptions1Click()
{
    const QString file = chooseOptionsFile(OptionsMenu::SaveTitle, true);
    if (file.isEmpty())
        return;
    session_->optionsFileName = bytes(file);
    const auto result = OptionsMenu::saveOptions(*this, bytes(file), session_->optionsData());
    if (result.outcome == OptionsMenu::SaveOutcome::Failed)
        messageBox(AppTitle, result.errorText, MsgButtons::Ok);
}

void TMainForm::MagicMirror1Click()
{
    const bool on = action("MagicMirror1")->isChecked();
    session_->terminal.setMirrorOn(on);
    if (on) {
        Terminal->hide();
        Terminal->setEnabled(false);
        Terminal->setWordWrap(false);
        Image->show();
        Image->setEnabled(true);
        session_->WriteTerminal("");
        CmdLine->setFocus();
    } else {
        Terminal->setWordWrap(session_->setup.WordWrap);
        Terminal->showBuffer(session_->terminal.ScrollbackBuffer());
        Image->hide();
        Image->setEnabled(false);
        Terminal->setEnabled(true);
        Terminal->show();
        Terminal->setFocus();
    }
    action("Find1")->setEnabled(!on);
    action("FindAgain1")->setEnabled(!on);
    updateSharedShortcut();
}

// The script commands switch the toggles too, so the menu item inverts the session's state
// rather than trusting its own check mark.
void TMainForm::TriggersToggle1Click()
{
    session_->parser.toggleTriggers();
    action("TriggersToggle1")->setChecked(session_->script.triggersOn);
}

void TMainForm::AliasesToggle1Click()
{
    session_->parser.toggleAliases();
    action("AliasesToggle1")->setChecked(session_->script.aliasesOn);
}

void TMainForm::Automap1Click()
{
    MapForm->show();
    MapForm->raise();
    MapForm->activateWindow();
}

void TMainForm::ViewLog1Click() {}

void TMainForm::ViewMaps1Click()
{
    const QString file = chooseOpenFile("Open Map File", "Map File (*.MAP);;All files (*)", "*.MAP");
    if (file.isEmpty())
        return;
    OpenDialog1FileName = file;
    runEditor(session_->setup.EditorName, bytes(file));
}

void TMainForm::RunEditor1Click() { runEditor(session_->setup.EditorName, ""); }

void TMainForm::SendMessage1Click() {}

void TMainForm::Lookup1Click() {}

void TMainForm::AddNote1Click() {}

void TMainForm::EditNoteFile1Click() { runEditor(session_->setup.EditorName, session_->setup.NoteFileName); }

void TMainForm::About2Click() { About->exec(); }

void TMainForm::Contents2Click() { runHelp("EXPLORER.EXE DOCS\\CONTENTS.HTML"); }

} // namespace tw
