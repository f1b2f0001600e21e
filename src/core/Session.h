#pragma once
// The session: everything the main window owns, and the operations that act on it. The
// main window reads the socket, shows dialogs and draws; the session decides.
#include "core/ConnectionLifecycle.h"
#include "core/HistoryIntake.h"
#include "core/HistoryStore.h"
#include "core/ReadBack.h"
#include "core/PlainText.h"
#include "core/TabCompletion.h"
#include "core/Terminal.h"
#include "core/ViewZoom.h"
#include "net/GameData.h"
#include "net/Inflater.h"
#include "map/AutomapTracker.h"
#include "map/MapModel.h"
#include "map/Speedwalk.h"
#include "net/Palette.h"
#include "net/TelnetDecoder.h"
#include "net/SendQueue.h"
#include "script/CommandBox.h"
#include "script/CommandHistory.h"
#include "script/CommandParser.h"
#include "script/ScriptHost.h"
#include "script/ScriptState.h"
#include "script/TriggerEngine.h"
#include "script/HiddenCode.h"
#include "script/HotkeyTable.h"
#include "script/AliasEntry.h"
#include "script/TriggerEntry.h"
#include "settings/MudEntry.h"
#include "settings/OptionsData.h"
#include "settings/SetupVars.h"
#include "tools/MessageSender.h"
#include "tools/SessionLog.h"
#include "tools/SpeechQueue.h"
#include "tools/StatRoller.h"

#include <functional>
#include <random>
#include <string>
#include <string_view>

namespace tw {

class Host;
class SocketPort;

// The status text when a game negotiates telnet while Modern Server Mode is off.
inline constexpr const char* TelnetHint =
    "This game speaks telnet: switch on Options > Modern Server Mode.";
// Said, and given as the command line's description, while typing is hidden.
inline constexpr const char* HiddenInputText = "Password entry: what you type is hidden.";

// Said once per connection when the game sends a telnet sequence that never ends properly.
inline constexpr const char* BrokenTelnetText = "The game sent a broken telnet sequence; it was dropped.";
// Said once per connection when the game's out-of-band data is no message that can be read.
inline constexpr const char* UnreadableGameDataText =
    "The game sent out-of-band data that could not be read; it was ignored.";

class Session : private ScriptHost {
public:
    Session(Host& host, SocketPort& socket);

    Host& host;
    SetupVars setup;
    SendQueue send;
    ConnectionLifecycle connection;
    CommandHistory history;
    HiddenCode hiddenCode;
    HotkeyTable hotkeys{};
    KeypadTable keypad = defaultKeypadTable();
    bool KeypadEnabled = true;
    MudList muds;
    Palette palette;
    Terminal terminal;
    // The long history below the scrollback, and reading back through it in a split view.
    HistoryStore textHistory;
    HistoryIntake historyIntake{textHistory};
    ReadBack readBack{terminal, textHistory, historyIntake};
    // The long history's switch: on, the lines the scrollback lets go are kept (at most `lines`)
    // and scrolling back splits the colour view; off, the history is emptied.
    void setLongHistory(bool on, std::size_t lines = HistoryStore::DefaultLimit);
    bool longHistory() const { return readBack.enabled(); }
    // The session's whole text as it reads, for saving: the history and then the scrollback.
    std::string wholeText(bool html);
    // The colour view's text size and the command line's Tab completion.
    ViewZoom zoom;
    TabCompletion completion;
    // The command language: aliases, triggers, captures, the delay queue and the toggles.
    ScriptState script;
    CommandParser parser{*this, script};
    TriggerEngine triggerEngine{script, parser};
    AliasList& aliases() { return script.aliases; }
    TriggerList& triggers() { return script.triggers; }

    // The automapper: the map and the tracking of the player's moves on it.
    MapModel map;
    AutomapTracker tracker{map, host};
    // What the game sends beside its text (Modern Server Mode): the vitals while it sends
    // them (empty otherwise) and its channel lines.
    std::vector<VitalGauge> vitals;
    ChannelLog channels;

    // Speedwalk: sends the known way from the current room to a room of the map. While the
    // automapper is on, each step waits until the reply to the one before is complete.
    Speedwalk walk;
    void speedwalkTo(const Cell& target);
    // Called at each block while the walk waits for the reply to go quiet: the window (re)starts
    // a timer of that many milliseconds that ends in walkQuiet().
    std::function<void(int milliseconds)> walkQuietWanted;
    void walkQuiet();

    // The taps of the receive pipeline and the automapper's command hook; the subsystems
    // behind them attach here (the automapper's are attached from the start).
    std::function<void(std::string_view block)> logBlock;
    std::function<void(std::string_view block)> automapBlock;
    std::function<void(const std::string& command)> automapCommand;
    // The room the game says the player stands in (out-of-band data), with what tracking did.
    std::function<AutomapTracker::Outcome(const GameRoom& room)> automapRoom;
    // Runs after a block in which tracking changed the map; the map window may show it.
    std::function<void()> mapTracked;
    std::function<bool()> statRollerRolling = [] { return false; };
    std::function<bool(std::string_view block)> statRollerExamine;
    std::function<void()> logTick;

    // Everything the options file holds, as it stands now.
    OptionsData optionsData();
    // Replaces the settings and lists with a loaded file's (the keypad switch stays as it is);
    // the caller applies the settings to the windows and then calls applySettings().
    void takeOptions(const OptionsData& data);

    // The settings and lists as the options file last loaded or saved holds them (as they were
    // at start until then); at exit a difference is offered for saving.
    void markOptionsSaved() { savedOptions_ = optionsData(); }
    bool optionsChanged() { return !(optionsData() == savedOptions_); }

    // The current options file: what the INI file remembers.
    std::string optionsFileName = "*.CFG";
    bool OptionsLoaded = false;

    // The session log's switch and file.
    bool LoggingOn = false;
    std::string LogFileName;

    // The status row's indicator of the switches: "MAP" while the automapper is on, "LOG"
    // while logging; empty when both are off.
    std::string switchIndicator() const;

    // The tools behind the taps and the Send Message window.
    SessionLog sessionLog{LoggingOn, LogFileName};
    StatRoller statRoller{host};
    MessageSender messageSender{host, [this](std::string_view text) { SendToMud(text); }, setup};
    // Speaking the game's text and the connection notices; typing a command interrupts it.
    SpeechQueue speech;
    void setSpeaking(bool on);

    // Sending and showing. With Modern Server Mode on, a byte 255 in the text is doubled.
    void SendToMud(std::string_view text);
    void WriteTerminal(std::string_view text);
    void ParseCommand(const std::string& text);
    // The echo mode of the settings as the command language reads it.
    EchoMode echoMode() const;

    // The receive pipeline for one block.
    void MudSockRead(std::string_view raw);

    // Modern Server Mode: telnet negotiation, compression, hidden input, bare line feeds
    // and connection notices. Off, every read goes to MudSockRead unchanged.
    bool modern() const { return modern_; }
    void setModern(bool on);
    // One read from the socket.
    void socketRead(std::string_view raw);
    // The colour view changed its size; a server that asked for it is told.
    void terminalResized();
    // What is typed is a secret: not echoed, not kept in the history, cleared after Enter.
    bool inputHidden() const { return inputHidden_; }
    void setInputHidden(bool hidden);
    // Writes one of the program's own connection notices into the terminal.
    void notice(const std::string& text);
    // Runs on a successful connect before the notice: the window clears its plain view.
    std::function<void()> connectedView;

    // The command line.
    void ProcessCommand(CommandBox& box);
    // Text pasted into the command line: each whole line is entered in turn as if typed (echo,
    // history, the automapper); more than PasteAskAbove lines are sent only when the player
    // says so. Text without a line end is only inserted.
    static constexpr std::size_t PasteAskAbove = 10;
    void PasteIntoCommandLine(CommandBox& box, std::string_view text);
    void ProcessCmdKey(CommandBox& box, int key, KeyModifiers mods);
    // A character typed into the plain terminal view; true when the stat roller opens.
    bool TerminalKey(char typed);

    // Tick duties after the options load and the clock.
    void tick();

    // After the General Setup dialog or an options load: the terminal follows the word wrap
    // setting, and a scrollback size that differs from the one applied before replaces the
    // buffer with an empty one. The terminal starts one character larger than the setting; that
    // alone must not clear what the player reads.
    void applySettings();

private:
    OptionsData savedOptions_;
    std::uint16_t appliedScrollbackSize_ = SetupVars{}.ScrollbackSize;

    void echo(const std::string& typed);
    // Page Up, Page Down, End and Home with the long history on.
    void readBackKey(CommandBox& box, int key);
    // The pipeline after the line-end repair: log, automapper, stat roller, triggers, display.
    void receiveBlock(std::string block);
    void beginConnection();
    void endConnection();
    // Hands received bytes to the pipeline as they are (the switch off); returns their count.
    std::size_t passUntouched(std::string_view bytes);
    std::size_t decodeTelnet(std::string_view bytes);
    // One message of the game's out-of-band data: vitals, a channel line or the room.
    void gameData(std::string_view payload);
    void clearVitals();
    // Tells the map window when tracking changed the map.
    void reportTracking();
    void sendReplies();
    void flushReceived();
    void receiveFailed(const std::string& why);

    SocketPort& socket_;
    bool modern_ = false;
    TelnetDecoder telnet_;
    TelnetSniffer sniffer_;
    Inflater inflater_;
    std::string pending_;        // decoded text not yet through the pipeline
    char lineEndHalf_ = 0;       // the CR or LF that ended the block before (ModernLineEnds)
    PlainTextStream heard_;      // the game's text as speech reads it
    bool inputHidden_ = false;
    bool telnetHinted_ = false;  // the hint about the switch was given for this connection
    bool brokenTold_ = false;    // the broken telnet sequence was reported for this connection
    bool unreadableTold_ = false; // unreadable game data was reported for this connection
    bool receiveBroken_ = false; // the rest of this connection's bytes are dropped
    bool connectionOpen_ = false;
    bool atPrompt_ = false;         // the block now going through the pipeline ends at a prompt
    bool gameMarksPrompts_ = false; // this connection's game has sent a prompt end
    // Sends the walk's next step as a typed command would go; returns its echo text.
    std::string walkStep();
    void showWalkStep();
    AutomapTracker::Outcome mapOutcome_ = AutomapTracker::Outcome::Nothing;

    // ScriptHost
    void sendToMud(std::string_view text) override { SendToMud(text); }
    void mapCommand(const std::string& command) override;
    void setStatus(const std::string& text) override;
    MsgAnswer messageBox(const std::string& caption, const std::string& text,
                         MsgButtons buttons) override;
    void playSound(const std::string& file) override;
    void writeTerminal(std::string_view text) override { WriteTerminal(text); }
};

} // namespace tw
