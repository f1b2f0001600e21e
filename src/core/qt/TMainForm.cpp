#include "core/qt/TMainForm.h"

#include "core/qt/AboutBox.h"
#include "base/qt/GameText.h"
#include "base/TextSearch.h"
#include "core/qt/ChannelsWindow.h"
#include "core/qt/CommandLineEdit.h"
#include "core/qt/MainMenu.h"
#include "core/qt/MenuKeysFirst.h"
#include "core/qt/PlainView.h"
#include "core/qt/FindDialog.h"
#include "core/qt/FindBar.h"
#include "core/qt/ReadBackPanes.h"
#include "core/ColourText.h"
#include "core/qt/MirrorView.h"
#include "core/qt/ViewKeysFilter.h"
#include "settings/MudChoice.h"
#include "net/qt/TANSIDefDLG.h"
#include "core/qt/StatusPanel.h"
#include "core/qt/SwitchIndicator.h"
#include "core/qt/VitalsBar.h"
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
#include "script/qt/ListDialogSupport.h"
#include "script/qt/ListFileDialog.h"
#include "base/FileIo.h"
#include "settings/OptionsFileWriter.h"
#include "settings/OptionsMenu.h"
#include "settings/qt/IniFile.h"
#include "settings/qt/TSetupDlg.h"
#include "script/qt/ListDialogSupport.h"
#include "tools/qt/DataFolders.h"
#include "tools/qt/Launcher.h"
#include "tools/qt/SoundPlayer.h"
#include "tools/qt/SpeechKeysFilter.h"
#include "tools/qt/SpeechOutput.h"
#include "tools/qt/SpeechSettingsDlg.h"
#include "tools/qt/TAddNoteDlg.h"
#include "tools/qt/TLogFileDlg.h"
#include "tools/qt/TLookupDlg.h"
#include "tools/qt/TMessageForm.h"
#include "tools/qt/TStatRollDlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTime>
#include <QTimer>

namespace tw {

namespace {

std::string bytes(const QString& s) { return s.toLatin1().toStdString(); }

constexpr const char* SaveChangesText = "Save changes to the options file?";
// The command line's accessible names, while typing shows and while it is hidden.
constexpr const char* CommandName = "Command";
constexpr const char* PasswordName = "Password";

} // namespace

TMainForm::TMainForm(QWidget* parent, const QString& iniFile) : QMainWindow(parent)
{
    setObjectName("TMainForm");
    setWindowTitle("Tarnwick");
    iniPath = iniFile.isEmpty() ? IniFile::defaultPath() : iniFile;
    sampleFolders = dataFolders();

    launcher_ = std::make_unique<Launcher>();
    launcher_->onViewerFailed = [this](const std::string& commandLine) { helpFailed(commandLine); };
    chooseOpenFile = [this](const QString& title, const QString& filter, const QString& name) {
        return ListFileDialog::choose(this, {FileChoice::Open, title, QFileInfo(name).suffix(), filter, name});
    };
    MudSock = new TBasicClientSocket(this);
    MudSock->setObjectName("MudSock");
    MudSock->setProtocol("tcp");
    MudSock->setTimeOut(30);
    chooseHistoryFile = [this] {
        return ListFileDialog::choose(this, {FileChoice::Save, "Save History", "txt",
                                             "Text File (*.txt)|*.txt|HTML with colours (*.html)|*.html", "history.txt"});
    };
    chooseOptionsFile = [this](const QString& title, bool forSaving) {
        const QString current = textFromPath(session_->optionsFileName);
        // The overwrite question is the save's own.
        FileChoice choice{forSaving ? FileChoice::Save : FileChoice::Open, title,
                          OptionsMenu::DefaultExtension, OptionsMenu::DialogFilter,
                          current.isEmpty() ? QString(OptionsMenu::InitialFileName) : current, false};
        return ListFileDialog::choose(this, choice);
    };
    socketPort_ = std::make_unique<MudSocketPort>(*MudSock);
    session_ = std::make_unique<Session>(*this, *socketPort_);
    ConnectionLifecycle& life = session_->connection;
    // Accepted certificates are kept in the INI file, per host and port.
    life.certificates.remembered = [this](const std::string& host, std::uint16_t port) {
        return IniFile(iniPath).trustedCertificate(host, port);
    };
    life.certificates.remember = [this](const std::string& host, std::uint16_t port, const std::string& fingerprint) {
        const IniFile ini(iniPath);
        if (!ini.rememberCertificate(host, port, fingerprint))
            messageBox(AppTitle, "Unable to write to " + bytes(ini.path()), MsgButtons::Ok);
    };
    MudSock->trustCertificate = [&life](const std::string& host, std::uint16_t port,
                                        const std::string& fingerprint, const std::string& problems) {
        return life.certificates.check({host, port, fingerprint, problems});
    };
    connect(MudSock, &TBasicClientSocket::OnInfo, this, [&life](int code) { life.SockInfo(code); });
    connect(MudSock, &TBasicClientSocket::OnConnect, this, [&life] { life.SockConnect(); });
    connect(MudSock, &TBasicClientSocket::OnDisconnect, this, [&life] { life.SockDisconnect(); });
    connect(MudSock, &TBasicClientSocket::OnRead, this, &TMainForm::MudSockRead);
    connect(MudSock, &TBasicClientSocket::OnWrite, this, [this] { session_->send.MudSockWrite(); });
    connect(MudSock, &TBasicClientSocket::OnError, this, [this](const QString& message) {
        messageBox(AppTitle, bytes(message), MsgButtons::Ok);
    });
    session_->connectedView = [this] {
        Terminal->clear();
        if (action("MagicMirror1")->isChecked())
            session_->WriteTerminal("\r\n\r\n");
    };

    central_ = new QWidget(this);
    central_->setObjectName("Central");
    setCentralWidget(central_);

    Image = new MirrorView(session_->terminal, session_->palette, central_);
    Image->setObjectName("Image");
    Image->setAccessibleName("Game text");
    MirrorScrollBar = new QScrollBar(Qt::Vertical, central_);
    MirrorScrollBar->setObjectName("MirrorScrollBar");
    MirrorScrollBar->setFocusPolicy(Qt::NoFocus);
    MirrorScrollBar->setAccessibleName("Scrollback position");
    connect(MirrorScrollBar, &QScrollBar::valueChanged, this, [this](int line) {
        if (session_->readBack.enabled())
            session_->readBack.scrollTo(line);
        else
            session_->terminal.scrollTo(line);
    });
    Panes = new ReadBackPanes(session_->terminal, session_->palette, session_->readBack, *Image);
    Panes->livePercentChosen = [this](int percent) { IniFile(iniPath).writeSplitLivePercent(percent); };
    session_->readBack.changed = [this] {
        Panes->layOut();
        Panes->refresh();
        syncScrollBar();
    };
    historyIdle_ = new QTimer(this);
    historyIdle_->setSingleShot(true);
    historyIdle_->setInterval(250);
    connect(historyIdle_, &QTimer::timeout, this, [this] {
        // A slice at a time, so that the window answers in between.
        session_->readBack.digest(256u << 10);
        if (session_->readBack.waiting() > 0)
            historyIdle_->start(2);
    });

    Terminal = new PlainView(central_);
    Terminal->setAccessibleName("Game text, plain view");
    Terminal->hide();
    Terminal->onTyped = [this](char typed) { session_->TerminalKey(typed); };

    CmdLine = new CommandLineEdit(central_);
    CmdLine->setAccessibleName(CommandName);
    QFont cmdFont = CmdLine->font();
    cmdFont.setBold(true);
    CmdLine->setFont(cmdFont);
    CmdLine->onKeyUp = [this](int key, KeyModifiers mods) {
        session_->ProcessCmdKey(*CmdLine, key, mods);
        showSwitches();
    };
    connect(CmdLine, &QLineEdit::returnPressed, this, &TMainForm::EnterButtonClick);
    // With the long history, typing ends the colour view's selection.
    connect(CmdLine, &QLineEdit::textEdited, this, [this] {
        if (session_->readBack.enabled() && !session_->readBack.selection().empty()) {
            session_->readBack.clearSelection();
            Panes->refresh();
        }
    });
    CmdLine->onPaste = [this](const std::string& text) { session_->PasteIntoCommandLine(*CmdLine, text); };
    CmdLine->onTab = [this](bool forward) {
        // A secret is typed unseen; nothing on screen is offered for it.
        if (session_->inputHidden())
            return;
        const TabCompletion::Edit now{CmdLine->text(), CmdLine->caret()};
        const TabCompletion::Edit next = session_->completion.complete(session_->terminal.model(), now, forward);
        if (next != now)
            CmdLine->setTextAndCaret(next.text, next.caret);
    };

    Status = new StatusPanel("Status", "Awaiting your command...", central_);
    MudName = new StatusPanel("MudName", "(No connection)", central_);
    Clock = new StatusPanel("Clock", QString(), central_);
    Indicator = new SwitchIndicator(*MudName);
    QFont clockFont = Clock->font();
    clockFont.setBold(true);
    Clock->setFont(clockFont);
    Clock->setAlignment(Qt::AlignCenter);
    // The panels' texts are what they say; what each one is, is told beside it.
    Status->setAccessibleDescription("Status");
    MudName->setAccessibleDescription("Game");
    Clock->setAccessibleDescription("Clock");
    Vitals = new VitalsBar(central_);

    buildMenus();
    auto* menuKeys = new MenuKeysFirst([this] {
        std::vector<QAction*> all;
        for (const auto& [name, a] : actions_)
            all.push_back(a);
        return all;
    }, this);
    menuKeys->watch(CmdLine);
    menuKeys->watch(Terminal);
    auto* viewKeys = new ViewKeysFilter([this](ViewKey key) { viewKey(key); }, this);
    viewKeys->watch(CmdLine);
    viewKeys->watch(Terminal);
    // A lone Ctrl silences speech, whichever window has the focus.
    qApp->installEventFilter(new SpeechKeysFilter([this] { session_->speech.interrupt(); }, this));

    FindBar1 = new FindBar(central_);
    connect(FindBar1, &FindBar::changed, this, [this] {
        session_->readBack.setSearch(GameText::toBytes(FindBar1->text()), FindBar1->matchCase());
        Panes->refresh();
    });
    connect(FindBar1, &FindBar::findNext, this, &TMainForm::findInView);
    connect(FindBar1, &FindBar::closed, this, [this] {
        session_->readBack.setSearch({}, false);
        Panes->refresh();
        CmdLine->setFocus();
    });

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
    AddNoteDlg = new TAddNoteDlg(session_->setup, *this, this);
    AliasDlg = new TAliasDlg(session_->aliases(), *this, this);
    ANSIDefDlg = new TANSIDefDLG(session_->palette, *this, this);
    HotkeyDlg = new THotkeyDlg(session_->hotkeys, *this, this);
    LogFileDlg = new TLogFileDlg(session_->sessionLog, *this, this);
    LookupDlg = new TLookupDlg(session_->setup, *this, this);
    LevelDLG = new TLevelDLG(this);
    MapForm = new TMapForm(*session_, *LevelDLG, this);
    MapForm->iniPath = [this] { return iniPath; };
    connect(MapForm, &TMapForm::automapSwitched, this, &TMainForm::showSwitches);
    // The map window's dialogs are its own, so that closing one gives the map the focus back
    // instead of raising this window over it.
    LevelDLG->setParent(MapForm, LevelDLG->windowFlags());
    MUDListForm = new TMUDListForm(session_->muds, *this, this);
    NumPadDlg = new TNumPadDlg(session_->keypad, session_->KeypadEnabled, *this, this);
    RoomEditDLG = new TRoomEditDLG(session_->map, *this, MapForm);
    MapForm->RoomEditDLG = RoomEditDLG;
    MessageForm = new TMessageForm(*this, this);
    SetupDlg = new TSetupDlg(session_->setup, *Terminal, *this, this);
    SetupDlg->InitSetupVars();
    StatRollDlg = new TStatRollDlg(session_->statRoller, this);
    TriggerDlg = new TTriggerDlg(session_->triggers(), *this, this);
    VirtualDLG = new TVirtualDLG(session_->map, *RoomEditDLG, *this, MapForm);
    MapForm->VirtualDLG = VirtualDLG;
    Speech = new SpeechOutput(session_->speech, this);
    startSpeech = [this] { return Speech->start(); };
    SpeechDlg = new SpeechSettingsDlg(this);
    Channels = new ChannelsWindow(session_->channels, this);
    // The key also hides the window from inside it.
    Channels->addAction(action("Channels1"));
    connect(Channels, &ChannelsWindow::closed, this, [this] { action("Channels1")->setChecked(false); });

    SizeAll();
    setModernMode(IniFile(iniPath).readModern());
    MapForm->readSwitches();
    session_->zoom.setPercent(IniFile(iniPath).readZoom());
    Panes->setLivePercent(IniFile(iniPath).readSplitLivePercent(ReadBackPanes::DefaultLivePercent));
    setLongHistory(IniFile(iniPath).readLongHistory());
    applyZoom();
    const IniFile::Speech speech = IniFile(iniPath).readSpeech();
    applySpeechSettings(speech.rate, speech.muted);
    setSpeaking(speech.speak);
    // What an options file would have to hold to change nothing: the state at start.
    session_->markOptionsSaved();
    updateClock();
    Timer1->start();
    resize(1024, 720);
}

// The widgets' reading of the game's text follows this window's switch; without the window
// it goes back to the old one.
TMainForm::~TMainForm()
{
    // The speech output is a child widget, deleted after the session it speaks for: it goes first.
    delete Speech;
    Speech = nullptr;
    GameText::setUtf8(false);
}

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
// key, so the key belongs to Find Again while the plain view offers it, else to View Log; the
// menu says so beside View Log.
void TMainForm::updateSharedShortcut()
{
    QAction* viewLog = action("ViewLog1");
    if (action("FindAgain1")->isEnabled()) {
        viewLog->setShortcut(QKeySequence());
        viewLog->setText("View &Log\tCtrl+G in colour view");
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
    MirrorScrollBar->show();
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
    // W is the window's outer width, H the height of its client area.
    const int w = frameGeometry().width();
    const int h = central_->height();
    const int rowHeight = std::max(17, CmdLine->sizeHint().height());
    const int clockWidth = 90;
    const int half = std::max(0, (w - 97) / 2);
    Status->setGeometry(0, h - rowHeight, half, rowHeight);
    MudName->setGeometry(half, h - rowHeight, half, rowHeight);
    Clock->setGeometry(2 * half, h - rowHeight, clockWidth, rowHeight);
    // The gauges take their height from the picture; without them nothing moves.
    const int vitalsHeight = Vitals->isHidden() ? 0 : Vitals->sizeHint().height();
    Vitals->setGeometry(0, h - rowHeight - vitalsHeight, central_->width(), vitalsHeight);
    CmdLine->setGeometry(0, h - 2 * rowHeight - vitalsHeight, std::max(0, w - 8), rowHeight);
    const int termHeight = std::max(0, h - 2 * rowHeight - vitalsHeight);
    // The scroll bar stands beside the picture; the picture's own size sets the cell counts.
    const int barWidth = MirrorScrollBar->sizeHint().width();
    const int imageWidth = std::max(0, central_->width() - barWidth);
    Terminal->setGeometry(0, 0, central_->width(), termHeight);
    Panes->layOut(QRect(0, 0, imageWidth, termHeight));
    MirrorScrollBar->setGeometry(imageWidth, 0, barWidth, termHeight);
    const CellSize cell = session_->zoom.cell();
    session_->terminal.setColumnCount(ViewZoom::columnCountForWidth(imageWidth, cell));
    session_->terminal.setRowCount(ViewZoom::rowCountForHeight(termHeight, cell));
    session_->WriteTerminal("");
    session_->terminalResized();
    placeFindBar();
}

void TMainForm::applyZoom()
{
    Image->setCellSize(session_->zoom.cell());
    ResizeAll();
}

void TMainForm::viewKey(ViewKey key)
{
    ViewZoom& zoom = session_->zoom;
    bool changed = false;
    switch (key) {
    case ViewKey::ZoomIn: changed = zoom.zoomIn(); break;
    case ViewKey::ZoomOut: changed = zoom.zoomOut(); break;
    case ViewKey::ZoomReset: changed = zoom.reset(); break;
    case ViewKey::CopySelection: copyViewSelection(); return;
    case ViewKey::FindInView: openFindBar(); return;
    case ViewKey::WalkThrough: MapForm->Virtual1Click(); return;
    case ViewKey::None: return;
    }
    setStatus("Text size " + std::to_string(zoom.percent()) + "%");
    if (!changed)
        return;
    applyZoom();
    const IniFile ini(iniPath);
    iniWritten(ini, ini.writeZoom(zoom.percent()));
}

void TMainForm::copyViewSelection()
{
    const QString text = Image->selectedText();
    if (text.isEmpty())
        return;
    auto* data = new QMimeData;
    data->setText(text);
    if (session_->readBack.enabled()) {
        ColourText html(ColourText::Form::Html, session_->palette);
        for (const ReadBack::SelectedLine& line : session_->readBack.selectedLines())
            html.add(line.cells, line.first, line.last, line.modern, true);
        data->setHtml(QString::fromStdString(html.finish()));
    }
    QApplication::clipboard()->setMimeData(data);
    setStatus("Copied " + std::to_string(text.toUcs4().size()) + " characters.");
}

void TMainForm::openFindBar()
{
    if (!session_->readBack.enabled()) {
        setStatus("Switch on Options > Long History to find in the colour view.");
        return;
    }
    if (!session_->terminal.MirrorOn())
        return;
    placeFindBar();
    FindBar1->open();
}

void TMainForm::placeFindBar()
{
    FindBar1->adjustSize();
    FindBar1->move(std::max(Image->width() - FindBar1->width() - 4, 0), 4);
}

void TMainForm::findInView(bool older)
{
    ReadBack& readBack = session_->readBack;
    readBack.setSearch(GameText::toBytes(FindBar1->text()), FindBar1->matchCase());
    const bool found = readBack.findNext(older);
    FindBar1->setFound(found || FindBar1->text().isEmpty());
    if (!found && !FindBar1->text().isEmpty())
        Status->setText(QString::fromUtf8(cannotFindText(FindBar1->text().toUtf8().toStdString())));
    else
        setStatus("");
    Panes->layOut();
    Panes->refresh();
    syncScrollBar();
}

void TMainForm::syncScrollBar()
{
    const Terminal::ScrollBarState bar =
        session_->readBack.enabled() ? session_->readBack.scrollBar() : session_->terminal.scrollBar();
    const QSignalBlocker quiet(MirrorScrollBar);
    MirrorScrollBar->setRange(1, bar.maximum);
    MirrorScrollBar->setPageStep(std::max(bar.page, 1));
    MirrorScrollBar->setValue(bar.value);
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
        const IniFile ini(iniPath);
        // Said once: every later reading of the file meets the same problem and keeps quiet.
        if (const std::string problem = ini.readProblem(); !problem.empty())
            messageBox(AppTitle, "The settings file " + localPath(iniPath) + " was not read (" + problem +
                                     "): Tarnwick starts with its defaults.", MsgButtons::Ok);
        if (!startOptionsFile_.empty())
            session_->optionsFileName = std::exchange(startOptionsFile_, {});
        else {
            if (!pathExists(localPath(iniPath)))
                adoptSampleOptions();
            session_->optionsFileName = ini.readDefaultCfg();
        }
        session_->OptionsLoaded = true;
        // Anything there is loaded, so that what is no file says so; a missing file is skipped.
        if (!session_->optionsFileName.empty() && pathExists(session_->optionsFileName))
            LoadOptionsNow();
        if (startConnect_)
            connectToGame(*std::exchange(startConnect_, std::nullopt));
    }
    updateClock();
    session_->tick();
    showSwitches();
}

// A first start (no settings file yet) begins with a copy of the sample options file in the
// player's own folder: its MUD list holds the practice world, and saving never touches the
// sample itself.
void TMainForm::adoptSampleOptions()
{
    const QString sample = findDataFile(SampleOptionsName, sampleFolders);
    if (sample.isEmpty())
        return;
    const QDir folder = QFileInfo(iniPath).dir();
    const std::string copy = localPath(folder.filePath(SampleOptionsName));
    if (!pathExists(copy)) {
        // The copy is a new file of the player's own, writable whatever the sample's mode.
        std::string error;
        const std::optional<std::string> bytes = readWholeFile(localPath(sample), error, OptionsFileWriter::LargestFileSize);
        if (!bytes || !QDir().mkpath(folder.path()) || writeFileAtomically(copy, *bytes))
            return;
    }
    IniFile(iniPath).writeDefaultCfg(copy);
}

void TMainForm::EnterButtonClick()
{
    CmdLine->selectAll();
    session_->ProcessCommand(*CmdLine);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The map has its own file: both are offered for saving before the program ends.
    if (!mayClose() || (!closed_ && !MapForm->mayClose())) {
        event->ignore();
        return;
    }
    DoClose();
    event->accept();
}

void TMainForm::DoClose()
{
    if (closed_)
        return;
    closed_ = true;
    Timer1->stop();
    session_->sessionLog.close();
    const IniFile ini(iniPath);
    iniWritten(ini, ini.writeDefaultCfg(session_->optionsFileName));
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
        session_->socketRead(std::string_view(buffer, n));
        showSwitches();
    } catch (const SockError& e) {
        messageBox(AppTitle, e.what(), MsgButtons::Ok);
    }
}

// Both may hold the game's text (a typed alias, a MUD's name).
void TMainForm::setStatus(const std::string& text)
{
    Status->setText(GameText::toQString(text));
    // A player who hears the game hears what the status row says too.
    if (!text.empty())
        session_->speech.announce(GameText::toQString(text).toStdString());
}

void TMainForm::setMudName(const std::string& text) { MudName->setText(GameText::toQString(text)); }

namespace {

QMessageBox::StandardButton standardButtonFor(MsgAnswer answer)
{
    switch (answer) {
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

MsgAnswer answerFor(int button)
{
    switch (button) {
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return MsgAnswer::Ok;
    }
}

} // namespace

QMessageBox* TMainForm::newMessageBox(const std::string& caption, const std::string& text, MsgButtons buttons)
{
    auto* box = new QMessageBox(this);
    // Texts may name files, whose names are in the system's encoding.
    box->setWindowTitle(textFromPath(caption));
    box->setText(textFromPath(text));
    // The program's one warning, the stat roller's match, carries the warning icon.
    if (caption == "Warning")
        box->setIcon(QMessageBox::Warning);
    switch (buttons) {
    case MsgButtons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setIcon(QMessageBox::Question);
        break;
    case MsgButtons::YesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setIcon(QMessageBox::Question);
        break;
    }
    return box;
}

MsgAnswer TMainForm::messageBox(const std::string& caption, const std::string& text,
                                MsgButtons buttons)
{
    if (messageBoxHook)
        return messageBoxHook(caption, text, buttons);
    const std::unique_ptr<QMessageBox> box(newMessageBox(caption, text, buttons));
    return answerFor(box->exec());
}

void TMainForm::ask(const std::string& caption, const std::string& text, MsgButtons buttons,
                    MsgAnswer safe, std::function<void(MsgAnswer)> answered)
{
    if (messageBoxHook) {
        const MsgAnswer answer = messageBoxHook(caption, text, buttons);
        if (answered)
            answered(answer);
        return;
    }
    QMessageBox* box = newMessageBox(caption, text, buttons);
    // Enter and Escape give the safe answer; the other one takes a deliberate choice.
    box->setDefaultButton(standardButtonFor(safe));
    box->setEscapeButton(standardButtonFor(safe));
    connect(box, &QMessageBox::finished, this, [box, safe, answered = std::move(answered)] {
        QAbstractButton* clicked = box->clickedButton();
        const MsgAnswer answer = clicked ? answerFor(box->standardButton(clicked)) : safe;
        box->deleteLater();
        if (answered)
            answered(answer);
    });
    // Modal to the window, but the event loop and with it the tick go on.
    box->open();
}

void TMainForm::terminalChanged()
{
    Panes->refresh();
    syncScrollBar();
    if (session_->readBack.waiting() > 0)
        historyIdle_->start(250);
}

void TMainForm::runHelp(const std::string& commandLine)
{
    if (!launcher_->runHelp(commandLine))
        helpFailed(commandLine);
}

void TMainForm::helpFailed(const std::string& commandLine)
{
    messageBox("Help", "The help page " + localPath(launcher_->helpPageForMessage(commandLine)) +
                           " could not be opened.", MsgButtons::Ok);
}

void TMainForm::runEditor(const std::string& editor, const std::string& file)
{
    launcher_->runEditor(editor, file);
}

void TMainForm::playSound(const std::string& file) { SoundPlay->play(file); }

void TMainForm::stopSound() { SoundPlay->stop(); }

void TMainForm::showStatRoller()
{
    StatRollDlg->show();
    StatRollDlg->raise();
    StatRollDlg->activateWindow();
}

void TMainForm::setInputHidden(bool hidden)
{
    // Whatever stands in the line now was not typed for the secret, and a secret typed
    // there must not show once the server echoes again.
    CmdLine->clear();
    CmdLine->setEchoMode(hidden ? QLineEdit::Password : QLineEdit::Normal);
    // A screen reader tells the change of name and description of the focused line.
    CmdLine->setAccessibleName(hidden ? PasswordName : CommandName);
    CmdLine->setAccessibleDescription(hidden ? HiddenInputText : "");
}

void TMainForm::terminalTextAdded(std::string_view text) { Image->reading().added(text); }

void TMainForm::vitalsChanged()
{
    const bool wasShown = !Vitals->isHidden();
    Vitals->showGauges(session_->vitals);
    if (wasShown != !Vitals->isHidden())
        ResizeAll();
}

void TMainForm::channelLineAdded() { Channels->linesAdded(); }

void TMainForm::setModernMode(bool on)
{
    // The widgets read the game's text as the terminal does: first, so that the terminal's
    // new layout and everything after it agree.
    GameText::setUtf8(on);
    session_->setModern(on);
    MudSock->setTlsAllowed(on);
    ANSIDefDlg->setModernShown(on);
    action("ModernServerMode1")->setChecked(on);
}

void TMainForm::ModernServerMode1Click()
{
    const bool on = action("ModernServerMode1")->isChecked();
    setModernMode(on);
    switchRemembered(&IniFile::writeModern, on, "Modern Server Mode");
}

void TMainForm::switchRemembered(bool (IniFile::*write)(bool) const, bool on, const std::string& name, bool say)
{
    const IniFile ini(iniPath);
    iniWritten(ini, (ini.*write)(on));
    if (say)
        setStatus(name + (on ? " ON" : " OFF"));
}

void TMainForm::setLongHistory(bool on)
{
    const int lines = IniFile(iniPath).readHistoryLines(int(HistoryStore::DefaultLimit));
    session_->setLongHistory(on, std::size_t(std::clamp(lines, 1, int(HistoryStore::MaxLimit))));
    Image->setRows(on ? &session_->readBack.live() : nullptr);
    action("LongHistory1")->setChecked(on);
    action("SaveHistory1")->setEnabled(on);
    if (!on)
        FindBar1->hide();
    Panes->layOut();
    Panes->refresh();
    syncScrollBar();
}

void TMainForm::LongHistory1Click()
{
    const bool on = action("LongHistory1")->isChecked();
    setLongHistory(on);
    switchRemembered(&IniFile::writeLongHistory, on, "Long History");
}

void TMainForm::SaveHistory1Click()
{
    const QString file = chooseHistoryFile();
    if (file.isEmpty())
        return;
    const QString suffix = QFileInfo(file).suffix().toLower();
    const bool html = suffix == "html" || suffix == "htm";
    if (const auto error = writeFileAtomically(localPath(file), session_->wholeText(html))) {
        messageBox(AppTitle, *error, MsgButtons::Ok);
        return;
    }
    setStatus("History saved to " + localPath(file));
}

void TMainForm::Channels1Click()
{
    if (!action("Channels1")->isChecked()) {
        Channels->hide();
        return;
    }
    Channels->show();
    Channels->raise();
    Channels->activateWindow();
}

void TMainForm::iniWritten(const IniFile& ini, bool ok)
{
    if (!ok)
        messageBox(AppTitle, "Unable to write to " + localPath(ini.path()), MsgButtons::Ok);
}

bool TMainForm::setSpeaking(bool on)
{
    action("SpeakIncomingText1")->setChecked(on);
    // The switch stays as the player set it; without a speech service nothing is queued.
    const bool service = on && startSpeech();
    session_->setSpeaking(service);
    if (on && !service)
        setStatus(bytes(Speech->problem()));
    return service;
}

void TMainForm::applySpeechSettings(int rate, const QStringList& muted)
{
    Speech->setRate(rate);
    std::vector<std::string> texts;
    for (const QString& m : muted)
        texts.push_back(m.toStdString());
    session_->speech.setMuted(std::move(texts));
}

void TMainForm::SpeakIncomingText1Click()
{
    const bool on = action("SpeakIncomingText1")->isChecked();
    const bool speaking = setSpeaking(on);
    // Without a speech service the status keeps saying why instead.
    switchRemembered(&IniFile::writeSpeak, on, "Speech", speaking || !on);
}

void TMainForm::SpeechSettings1Click()
{
    IniFile ini(iniPath);
    IniFile::Speech speech = ini.readSpeech();
    speech.rate = std::clamp(speech.rate, int(SpeechOutput::SlowestRate), int(SpeechOutput::FastestRate));
    if (!SpeechDlg->edit(speech.rate, speech.muted))
        return;
    applySpeechSettings(speech.rate, speech.muted);
    iniWritten(ini, ini.writeSpeechSettings(speech.rate, speech.muted));
}

// --- Menu handlers ---

void TMainForm::Connect1Click() { MUDList1Click(); }

void TMainForm::Disconnect1Click() { session_->connection.Disconnect1Click(); }

void TMainForm::Log1Click()
{
    LogFileDlg->Log1Click();
    showSwitches();
}

// The switches change in many places (keys, menus, a full map, a failed log write); the
// indicator and the map window's check mark are brought up to date after each of them.
void TMainForm::showSwitches()
{
    Indicator->showSwitches(QString::fromLatin1(session_->switchIndicator()));
    MapForm->action("Activate1")->setChecked(session_->map.active);
}

void TMainForm::Exit1Click() { close(); }

void TMainForm::Cut1Click() { CmdLine->cut(); }

void TMainForm::Copy1Click()
{
    // With the long history, a selection shown in the colour view is what Copy takes.
    if (session_->readBack.enabled() && session_->terminal.MirrorOn() && !session_->readBack.selection().empty()) {
        copyViewSelection();
        return;
    }
    CmdLine->copy();
    if (Terminal->textCursor().hasSelection())
        Terminal->copy();
}

void TMainForm::Paste1Click() { CmdLine->pasteFrom(); }

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
    if (!Terminal->findNext(what, FindDialog1->matchCase())) {
        Status->setText(QString::fromUtf8(cannotFindText(what.toUtf8().toStdString())));
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
    const IniFile ini(iniPath);
    const std::optional<MudEntry> chosen = MUDListForm->chooseMud(bytesFromText(ini.readLastMud()));
    if (!chosen)
        return;
    // Only a convenience for the next opening: a file that cannot be written changes nothing.
    ini.writeLastMud(textFromBytes(chosen->line()));
    try {
        session_->connection.connectTo(chosen->name, chosen->address, chosen->port);
    } catch (const SockError& e) {
        messageBox(AppTitle, e.what(), MsgButtons::Ok);
    }
}

void TMainForm::connectToGame(const GameAddress& game)
{
    const MudList& muds = session_->muds;
    const auto entry = mudForAddress(muds, game.host, game.port);
    const std::string name = entry ? muds[*entry].name : game.host + ":" + game.portText();
    if (entry)
        IniFile(iniPath).writeLastMud(textFromBytes(muds[*entry].line()));
    try {
        session_->connection.connectTo(name, game.host, game.portText());
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
    // The chosen file becomes the current one only once it has loaded: a refused file must
    // not be the one the next save overwrites.
    const std::string path = localPath(file);
    if (loadOptionsFrom(path) == OptionsLoadResult::Kind::Loaded)
        session_->optionsFileName = path;
}

void TMainForm::LoadOptionsNow()
{
    // A refused file named at start is not remembered for the next start.
    if (loadOptionsFrom(session_->optionsFileName) == OptionsLoadResult::Kind::RefusedHeader)
        session_->optionsFileName.clear();
}

OptionsLoadResult::Kind TMainForm::loadOptionsFrom(const std::string& path)
{
    const OptionsLoadResult result = OptionsMenu::loadOptionsNow(*this, path, session_->setup);
    switch (result.kind) {
    case OptionsLoadResult::Kind::Loaded:
        session_->takeOptions(result.data);
        // The settings are applied as the General Setup dialog applies them.
        SetupDlg->FillValues();
        SetupDlg->OKBtnClick();
        session_->applySettings();
        session_->markOptionsSaved();
        break;
    case OptionsLoadResult::Kind::IoError:
        messageBox(AppTitle, result.errorText, MsgButtons::Ok);
        break;
    case OptionsLoadResult::Kind::RefusedHeader:
    case OptionsLoadResult::Kind::FileMissing:
        break;
    }
    return result.kind;
}

void TMainForm::SaveOptions1Click()
{
    const QString file = chooseOptionsFile(OptionsMenu::SaveTitle, true);
    if (!file.isEmpty())
        saveOptionsTo(localPath(file), true);
}

bool TMainForm::saveOptionsTo(const std::string& path, bool askBeforeOverwriting)
{
    // The current options file changes only once the file is written: a failed save must not
    // make the next start look for a file that was never written.
    const OptionsMenu::SaveResult result =
        askBeforeOverwriting ? OptionsMenu::saveOptions(*this, path, session_->optionsData())
                             : OptionsMenu::saveOptionsOver(*this, path, session_->optionsData());
    if (result.outcome == OptionsMenu::SaveOutcome::Failed)
        messageBox(AppTitle, result.errorText, MsgButtons::Ok);
    if (result.outcome != OptionsMenu::SaveOutcome::Saved)
        return false;
    session_->optionsFileName = path;
    session_->markOptionsSaved();
    return true;
}

// Settings and lists are kept only in an options file: leaving with changes that no file holds
// asks first. Yes saves to the current file (or asks for one), Cancel stays.
bool TMainForm::mayClose()
{
    if (closed_ || !session_->optionsChanged())
        return true;
    switch (messageBox(AppTitle, SaveChangesText, MsgButtons::YesNoCancel)) {
    case MsgAnswer::Cancel:
        return false;
    case MsgAnswer::Yes: {
        const std::string& current = session_->optionsFileName;
        if (!current.empty() && current != OptionsMenu::InitialFileName)
            return saveOptionsTo(current, false);
        const QString file = chooseOptionsFile(OptionsMenu::SaveTitle, true);
        return !file.isEmpty() && saveOptionsTo(localPath(file), true);
    }
    default:
        return true;
    }
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
        MirrorScrollBar->show();
        session_->WriteTerminal("");
        CmdLine->setFocus();
    } else {
        session_->readBack.join();
        FindBar1->hide();
        Terminal->setWordWrap(session_->setup.WordWrap);
        Terminal->showBuffer(session_->terminal.ScrollbackBuffer());
        Image->hide();
        Image->setEnabled(false);
        MirrorScrollBar->hide();
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

void TMainForm::ViewLog1Click()
{
    std::string file = session_->LogFileName;
    if (file.empty()) {
        const QString chosen = chooseOpenFile(TLogFileDlg::DialogTitle, TLogFileDlg::Filter,
                                              TLogFileDlg::InitialName);
        if (chosen.isEmpty())
            return;
        file = localPath(chosen);
    }
    runEditor(session_->setup.EditorName, file);
}

void TMainForm::ViewMaps1Click()
{
    const QString file =
        chooseOpenFile("Open Map File", "Map File (*.MAP)|*.MAP|All files (*.*)|*.*", "*.MAP");
    if (file.isEmpty())
        return;
    OpenDialog1FileName = file;
    runEditor(session_->setup.EditorName, localPath(file));
}

void TMainForm::RunEditor1Click() { runEditor(session_->setup.EditorName, ""); }

void TMainForm::SendMessage1Click()
{
    using Result = MessageSender::Result;
    const Result result = MessageForm->run();
    MessageSender& sender = session_->messageSender;
    const auto lines = [this] { return MessageSender::messageLines(MessageForm->displayedLines()); };
    switch (result) {
    case Result::Write:
        sender.DoMsgWrite(MessageForm->toName(), MessageForm->subject(), lines());
        break;
    case Result::Send:
        sender.Send(MessageForm->toName(), MessageForm->subject(), lines());
        break;
    case Result::Options:
        GeneralSetup1Click();
        break;
    case Result::Cancel:
        break;
    }
}

void TMainForm::Lookup1Click() { LookupDlg->exec(); }

void TMainForm::AddNote1Click() { AddNoteDlg->exec(); }

void TMainForm::EditNoteFile1Click() { runEditor(session_->setup.EditorName, session_->setup.NoteFileName); }

void TMainForm::About2Click() { About->exec(); }

void TMainForm::Contents2Click() { runHelp("EXPLORER.EXE DOCS\\CONTENTS.HTML"); }

} // namespace tw
