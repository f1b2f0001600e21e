#pragma once
// The main window: terminal, command line, status row and the main menu. It implements the
// Host through which the session reaches the outside world.
#include "base/Host.h"
#include "core/SocketPort.h"
#include "core/Session.h"
#include "core/StartOptions.h"
#include "core/ViewKeys.h"
#include "settings/OptionsLoadResult.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

class QAction;
class QMessageBox;
class QMenu;
class QScrollBar;
class QTimer;
class QWidget;

namespace tw {

class AboutBox;
class TAliasDlg;
class TTriggerDlg;
class FindDialog;
class FindBar;
class ReadBackPanes;
class MirrorView;
class PlainView;
class TANSIDefDLG;
class TBasicClientSocket;
class THotkeyDlg;
class TMUDListForm;
class TNumPadDlg;
class Launcher;
class SoundPlayer;
class ChannelsWindow;
class CommandLineEdit;
class StatusPanel;
class SwitchIndicator;
class VitalsBar;
class TSetupDlg;
class TAddNoteDlg;
class TLogFileDlg;
class TLookupDlg;
class TMessageForm;
class TStatRollDlg;
class TLevelDLG;
class TMapForm;
class TRoomEditDLG;
class TVirtualDLG;
class IniFile;
class SpeechOutput;
class SpeechSettingsDlg;

class TMainForm : public QMainWindow, public Host {
    Q_OBJECT
public:
    // iniFile: where the INI file lives (empty: the user's configuration folder).
    explicit TMainForm(QWidget* parent = nullptr, const QString& iniFile = QString());
    ~TMainForm() override;

    Session& session() { return *session_; }

    // Host
    bool socketConnected() const override;
    std::size_t socketWrite(std::string_view data) override;
    void setStatus(const std::string& text) override;
    void setMudName(const std::string& text) override;
    MsgAnswer messageBox(const std::string& caption, const std::string& text,
                         MsgButtons buttons) override;
    void ask(const std::string& caption, const std::string& text, MsgButtons buttons, MsgAnswer safe,
             std::function<void(MsgAnswer)> answered) override;
    void terminalChanged() override;
    void runHelp(const std::string& commandLine) override;
    void runEditor(const std::string& editor, const std::string& file) override;
    void playSound(const std::string& file) override;
    void stopSound() override;
    void showStatRoller() override;
    void setInputHidden(bool hidden) override;
    void terminalTextAdded(std::string_view text) override;
    void vitalsChanged() override;
    void channelLineAdded() override;

    // Modern Server Mode for the session, the socket and the menu's check mark.
    void setModernMode(bool on);

    // Menu handlers.
    void Connect1Click();
    void Disconnect1Click();
    void Log1Click();
    void Exit1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Find1Click();
    void FindAgain1Click();
    void GeneralSetup1Click();
    void MUDList1Click();
    void Triggers1Click();
    void Aliases1Click();
    void Hotkeys1Click();
    void NumericKeypad1Click();
    void ANSIDefinitions1Click();
    void LoadOptions1Click();
    void SaveOptions1Click();
    // Switches Modern Server Mode and remembers it in the INI file.
    void ModernServerMode1Click();
    // Switches the long history (and the split view with it) and remembers it in the INI file.
    void LongHistory1Click();
    void setLongHistory(bool on);
    // Saves the session's whole text as plain text, or as HTML for a name ending in .html.
    void SaveHistory1Click();
    // Shows or hides the Channels window.
    void Channels1Click();
    // Speech of incoming text, remembered in the INI file, and its rate and muted texts.
    void SpeakIncomingText1Click();
    void SpeechSettings1Click();
    void MagicMirror1Click();
    void TriggersToggle1Click();
    void AliasesToggle1Click();
    void Automap1Click();
    void ViewLog1Click();
    void ViewMaps1Click();
    void RunEditor1Click();
    void SendMessage1Click();
    void Lookup1Click();
    void AddNote1Click();
    void EditNoteFile1Click();
    void About2Click();
    void Contents2Click();

    void TimerPop();
    void MudSockRead();
    void LoadOptionsNow();
    void EnterButtonClick();
    void ResizeAll();
    // Shows the automapper's and the log's switches as they stand.
    void showSwitches();

    // The colour view's own keys: the text size and copying its selection.
    void viewKey(ViewKey key);
    // Copies the colour view's selection, as shown, to the clipboard (with the long history
    // also as HTML with its colours).
    void copyViewSelection();
    // Connects to a game once the options file has been considered (the first tick), as the
    // MUD list would; the game's name comes from the MUD list when an entry has its address.
    void connectAtStart(const GameAddress& game) { startConnect_ = game; }
    // Loads this options file on the first tick instead of the one the INI file names.
    void loadAtStart(const std::string& optionsFile) { startOptionsFile_ = optionsFile; }

    // Controls, named as the program names them.
    MirrorView* Image = nullptr;
    // With the long history: the upper pane and divider of the split view, and the find bar.
    ReadBackPanes* Panes = nullptr;
    FindBar* FindBar1 = nullptr;
    // Beside the colour view: where the view is in the scrollback.
    QScrollBar* MirrorScrollBar = nullptr;
    PlainView* Terminal = nullptr;
    CommandLineEdit* CmdLine = nullptr;
    StatusPanel* Status = nullptr;
    StatusPanel* MudName = nullptr;
    StatusPanel* Clock = nullptr;
    // Above the status row while the game sends the character's vitals.
    VitalsBar* Vitals = nullptr;
    // At the right edge of MudName: "MAP" while the automapper is on, "LOG" while logging.
    SwitchIndicator* Indicator = nullptr;
    QTimer* Timer1 = nullptr;
    AboutBox* About = nullptr;
    SoundPlayer* SoundPlay = nullptr;
    TBasicClientSocket* MudSock = nullptr;
    TAliasDlg* AliasDlg = nullptr;
    THotkeyDlg* HotkeyDlg = nullptr;
    TTriggerDlg* TriggerDlg = nullptr;
    TMUDListForm* MUDListForm = nullptr;
    TNumPadDlg* NumPadDlg = nullptr;
    TANSIDefDLG* ANSIDefDlg = nullptr;
    FindDialog* FindDialog1 = nullptr;
    TAddNoteDlg* AddNoteDlg = nullptr;
    TLogFileDlg* LogFileDlg = nullptr;
    TLookupDlg* LookupDlg = nullptr;
    TMessageForm* MessageForm = nullptr;
    TStatRollDlg* StatRollDlg = nullptr;
    TLevelDLG* LevelDLG = nullptr;
    TMapForm* MapForm = nullptr;
    TRoomEditDLG* RoomEditDLG = nullptr;
    TVirtualDLG* VirtualDLG = nullptr;
    SpeechOutput* Speech = nullptr;
    SpeechSettingsDlg* SpeechDlg = nullptr;
    ChannelsWindow* Channels = nullptr;

    // The find dialog's OnFind: searches the plain view from the end of its selection.
    void SelectFind();
    QString OpenDialog1FileName; // the last map text file chosen for View Maps
    TSetupDlg* SetupDlg = nullptr;

    QAction* action(const QString& objectName) const;
    Launcher& launcher() { return *launcher_; }
    // Picks an existing file for an open dialog; replaceable so that tests never block.
    std::function<QString(const QString& title, const QString& filter, const QString& name)> chooseOpenFile;
    // Picks the file Save History writes; empty when cancelled.
    std::function<QString()> chooseHistoryFile;
    // Picks the options file for loading or saving (OpenDialog4); empty when cancelled.
    std::function<QString(const QString& title, bool forSaving)> chooseOptionsFile;

    // Where the INI file lives; tests point it elsewhere.
    QString iniPath;
    // Where a first start looks for the sample options file.
    static constexpr const char* SampleOptionsName = "practice.cfg";
    QStringList sampleFolders;
    // Connects the speech of incoming text to the desktop's speech service; false when there is
    // none. Tests give the session a recording engine instead.
    std::function<bool()> startSpeech;
    // Message boxes and questions shown by tests are answered here instead of opening a window.
    std::function<MsgAnswer(const std::string&, const std::string&, MsgButtons)> messageBoxHook;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    QMessageBox* newMessageBox(const std::string& caption, const std::string& text, MsgButtons buttons);
    // Saves the options; on success the file becomes the current options file.
    bool saveOptionsTo(const std::string& path, bool askBeforeOverwriting);
    // Loads an options file and applies it; says what became of the file.
    OptionsLoadResult::Kind loadOptionsFrom(const std::string& path);
    // Whether the window may close: unsaved settings and lists are offered for saving first.
    bool mayClose();
    void adoptSampleOptions();
    void updateSharedShortcut();
    void SizeAll();
    void DoClose();
    void updateClock();
    void applyZoom();
    // Tells the player that the page of a help command line could not be shown.
    void helpFailed(const std::string& commandLine);
    void syncScrollBar();
    void openFindBar();
    void findInView(bool older);
    void placeFindBar();
    void connectToGame(const GameAddress& game);
    // True when the speech service speaks.
    bool setSpeaking(bool on);
    // Tells the player when a switch could not be remembered in the INI file.
    void iniWritten(const IniFile& ini, bool ok);
    // A switch of the Options menu was set from the menu: the INI file remembers it and, when
    // `say`, the status row says "NAME ON" or "NAME OFF".
    void switchRemembered(bool (IniFile::*write)(bool) const, bool on, const std::string& name, bool say = true);
    void applySpeechSettings(int rate, const QStringList& muted);

    std::unique_ptr<Launcher> launcher_;
    std::unique_ptr<SocketPort> socketPort_;
    std::unique_ptr<Session> session_;
    QWidget* central_ = nullptr;
    std::map<QString, QAction*> actions_;
    bool closed_ = false;
    // Lays the text waiting for the history out once the game has been quiet a moment.
    QTimer* historyIdle_ = nullptr;
    std::optional<GameAddress> startConnect_;
    std::string startOptionsFile_;
};

} // namespace tw
