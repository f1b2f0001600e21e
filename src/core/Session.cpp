#include "core/Session.h"

#include "core/ColourText.h"

#include "base/Host.h"
#include "core/PastedText.h"
#include "core/SocketPort.h"
#include "net/AnsiColour.h"
#include "net/ModernLineEnds.h"
#include "net/BlockRepair.h"
#include "net/GameDataReader.h"
#include "net/GmcpMessage.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace tw {

namespace {
// One read of compressed data may expand this far; beyond it the stream is taken for a
// decompression bomb. Inflating goes a block at a time, so memory stays at one block.
constexpr std::size_t MaxExpansionPerRead = 16 * 1024 * 1024;
// Notices are light cyan on black; with Modern Server Mode on, the player's commands are
// yellow, so that they stand apart from the game's text.
constexpr int NoticeColour = 11;
constexpr int EchoColour = 14;
} // namespace

Session::Session(Host& h, SocketPort& socket)
    : host(h), send(h), connection(h, socket), socket_(socket)
{
    script.rng.seed(std::random_device{}());
    connection.autoReconnect = [this] { return setup.AutoReconnect; };
    connection.connectionEnded = [this] {
        send.discard();
        endConnection();
    };
    connection.connected = [this] { beginConnection(); };
    connection.tlsAllowed = [this] { return modern_; };
    connection.notice = [this](const std::string& text) {
        if (modern_)
            notice(text);
    };
    terminal.setWordWrap(setup.WordWrap);
    terminal.setChangeCallback([this] { host.terminalChanged(); });
    logBlock = [this](std::string_view block) { sessionLog.LogBlock(block); };
    logTick = [this] { sessionLog.tick(); };
    statRollerRolling = [this] { return statRoller.rolling(); };
    statRollerExamine = [this](std::string_view block) { return statRoller.Examine(block); };
    automapBlock = [this](std::string_view block) { mapOutcome_ = tracker.receive(block); };
    automapCommand = [this](const std::string& command) { tracker.command(command); };
    automapRoom = [this](const GameRoom& room) { return tracker.gameRoom(room); };
}

void Session::applySettings()
{
    terminal.setWordWrap(setup.WordWrap);
    if (setup.ScrollbackSize != appliedScrollbackSize_) {
        appliedScrollbackSize_ = setup.ScrollbackSize;
        terminal.replaceBuffer(setup.ScrollbackSize);
    } else {
        terminal.WriteTerminal("");
    }
}

OptionsData Session::optionsData()
{
    return OptionsData{setup, muds, hotkeys, keypad, aliases(), triggers(), palette};
}

void Session::takeOptions(const OptionsData& data)
{
    setup = data.setup;
    muds = data.muds;
    hotkeys = data.hotkeys;
    keypad = data.keypad;
    aliases() = data.aliases;
    triggers() = data.triggers;
    palette = data.palette;
}

void Session::WriteTerminal(std::string_view text)
{
    terminal.WriteTerminal(text);
    if (!text.empty())
        host.terminalTextAdded(text);
}

void Session::setSpeaking(bool on)
{
    if (on && !speech.on())
        heard_.restart(modern_);
    speech.setOn(on);
}

std::string Session::switchIndicator() const
{
    if (map.active && LoggingOn)
        return "MAP LOG";
    return map.active ? "MAP" : LoggingOn ? "LOG" : "";
}

void Session::setLongHistory(bool on, std::size_t lines)
{
    textHistory.setLimit(lines);
    if (on == readBack.enabled())
        return;
    if (on) {
        terminal.setTrimCallback([this](std::string_view older, std::string_view newer) {
            readBack.trimmed(older, newer);
        });
    } else {
        terminal.setTrimCallback(nullptr);
        historyIntake.forget();
        textHistory.clear();
    }
    readBack.setEnabled(on);
}

std::string Session::wholeText(bool html)
{
    readBack.digest(std::string::npos);
    // The scrollback's lines are laid out as the history lays out what it takes.
    HistoryStore scrollback;
    scrollback.setLimit(HistoryStore::MaxLimit);
    HistoryIntake intake(scrollback);
    intake.take(terminal.ScrollbackBuffer(), {}, {terminal.ColumnCount(), terminal.wordWrap(), terminal.modern()});
    intake.digest();
    ColourText text(html ? ColourText::Form::Html : ColourText::Form::Plain, palette, true);
    text.addLines(textHistory);
    text.addLines(scrollback);
    return text.finish();
}

EchoMode Session::echoMode() const
{
    if (setup.EchoCommand)
        return EchoMode::Command;
    if (setup.EchoEnter)
        return EchoMode::Enter;
    return EchoMode::None;
}

void Session::ParseCommand(const std::string& text)
{
    script.echo = echoMode();
    parser.ParseCommand(text);
}

void Session::MudSockRead(std::string_view raw) { receiveBlock(repairBlock(raw)); }

void Session::receiveBlock(std::string block)
{
    if (LoggingOn && logBlock)
        logBlock(block);
    mapOutcome_ = AutomapTracker::Outcome::Nothing;
    if (automapBlock)
        automapBlock(block);
    reportTracking();
    std::string echoText;
    const bool atPrompt = std::exchange(atPrompt_, false);
    if (walk.walking() && (!map.active || walk.received(mapOutcome_, atPrompt, gameMarksPrompts_)))
        echoText += walkStep();
    if (walk.waitsForQuiet() && walkQuietWanted)
        walkQuietWanted(walk.quietMilliseconds());
    script.echo = echoMode();
    // The stat roller looks at short blocks while it rolls and may ask for a new roll: "n" as
    // one command, which the parser sends with its line end.
    if (statRollerRolling() && block.size() <= 255 && statRollerExamine && statRollerExamine(block)) {
        parser.ParseCommand("n");
        echoText += echoFor(script.echo, "n", script.echoColour);
    }
    echoText += triggerEngine.RunTriggers(block);
    WriteTerminal(block);
    if (speech.on())
        speech.hear(heard_.read(block).text);
    if (!echoText.empty())
        WriteTerminal(echoText);
}

void Session::reportTracking()
{
    // A full map may have shifted along one axis before it gave up.
    if ((mapOutcome_ == AutomapTracker::Outcome::Moved || mapOutcome_ == AutomapTracker::Outcome::MapFull) &&
        mapTracked)
        mapTracked();
}

void Session::SendToMud(std::string_view text)
{
    if (modern_)
        send.SendToMud(telnet::escapeIac(text));
    else
        send.SendToMud(text);
}

void Session::setModern(bool on)
{
    modern_ = on;
    script.echoColour = on ? AttrToSgr(makeAttr(EchoColour, 0)) : std::string();
    terminal.switchModern(on, palette);
    terminal.WriteTerminal({});
    heard_.restart(on);
    telnet_.reset();
    sniffer_.reset();
    // A compressed stream stays compressed whatever the switch says: it is inflated until it
    // ends or the connection does, so that the text after a switch stays readable.
    pending_.clear();
    setInputHidden(false);
    terminalResized();
    clearVitals();
}

void Session::setInputHidden(bool hidden)
{
    if (hidden == inputHidden_)
        return;
    inputHidden_ = hidden;
    host.setInputHidden(hidden);
    if (hidden)
        speech.announce(HiddenInputText);
}

void Session::notice(const std::string& text)
{
    WriteTerminal("\r\n" + inColours(AttrToSgr(makeAttr(NoticeColour, 0)), text) + "\r\n");
    speech.announce(text);
}

void Session::beginConnection()
{
    telnet_.reset();
    sniffer_.reset();
    inflater_.stop();
    pending_.clear();
    lineEndHalf_ = 0;
    gameMarksPrompts_ = false;
    telnetHinted_ = false;
    brokenTold_ = false;
    unreadableTold_ = false;
    receiveBroken_ = false;
    setInputHidden(false);
    clearVitals();
    tracker.connectionStarted();
    terminalResized();
    if (connectedView)
        connectedView();
    connectionOpen_ = true;
    if (modern_)
        notice("Connected to " + connection.LastMudName + " (" + connection.LastHost + ":" +
               std::to_string(connection.LastPort) + ").");
}

void Session::endConnection()
{
    walk.cancel();
    inflater_.stop();
    pending_.clear();
    setInputHidden(false);
    clearVitals();
    if (connectionOpen_ && modern_) {
        const std::string why = socket_.lastErrorText();
        notice(why.empty() ? std::string("Connection closed.") : "Connection closed: " + why + ".");
    }
    connectionOpen_ = false;
}

void Session::terminalResized()
{
    telnet_.setWindowSize(terminal.ColumnCount(), terminal.RowCount());
    sendReplies();
}

std::size_t Session::passUntouched(std::string_view bytes)
{
    // The bytes go on untouched; the player only hears where the switch is.
    if (!telnetHinted_ && sniffer_.feed(bytes)) {
        telnetHinted_ = true;
        host.setStatus(TelnetHint);
    }
    MudSockRead(bytes);
    return bytes.size();
}

void Session::socketRead(std::string_view raw)
{
    if (!modern_ && !inflater_.active()) {
        passUntouched(raw);
        return;
    }
    std::size_t expanded = 0;
    while (!raw.empty() && !receiveBroken_) {
        if (!inflater_.active()) {
            raw.remove_prefix(modern_ ? decodeTelnet(raw) : passUntouched(raw));
            continue;
        }
        std::string piece;
        const Inflater::Result r = inflater_.inflate(raw, piece, MaxReadBlock);
        raw.remove_prefix(r.consumed);
        expanded += piece.size();
        if (expanded > MaxExpansionPerRead) {
            receiveFailed("the game's compressed data expands beyond any sensible size");
            break;
        }
        // What inflated before a fault is the game's text all the same: it is shown first.
        for (std::string_view rest = piece; !rest.empty() && !receiveBroken_;)
            rest.remove_prefix(modern_ ? decodeTelnet(rest) : passUntouched(rest));
        if (r.status == Inflater::Status::Error) {
            if (!receiveBroken_)
                receiveFailed("the game's compressed data is corrupt (" + inflater_.errorText() + ")");
            break;
        }
        if (r.status == Inflater::Status::More && r.consumed == 0 && piece.empty())
            break;
    }
    if (!receiveBroken_)
        flushReceived();
}

std::size_t Session::decodeTelnet(std::string_view bytes)
{
    const TelnetDecoder::Result r = telnet_.decode(bytes, pending_);
    sendReplies();
    setInputHidden(telnet_.serverEchoes());
    // A prompt is a block of its own, so that triggers see it whole; it also ends the reply
    // that a speedwalk waits for, even when nothing came before it in this read.
    if (r.stop == TelnetDecoder::Stop::PromptEnd) {
        gameMarksPrompts_ = true;
        atPrompt_ = true;
        flushReceived();
        if (std::exchange(atPrompt_, false) && walk.walking() && map.active &&
            walk.received(AutomapTracker::Outcome::Nothing, true, true))
            showWalkStep();
    } else if (pending_.size() >= MaxReadBlock) {
        flushReceived();
    }
    if (r.stop == TelnetDecoder::Stop::Broken && !brokenTold_) {
        // Said once per connection: a game that keeps doing it would bury its own text.
        brokenTold_ = true;
        flushReceived();
        notice(BrokenTelnetText);
        host.setStatus(BrokenTelnetText);
    }
    if (r.stop == TelnetDecoder::Stop::Gmcp)
        gameData(telnet_.takeGmcp());
    if (r.stop == TelnetDecoder::Stop::Compress && !inflater_.active()) {
        flushReceived();
        if (!inflater_.start())
            receiveFailed("compression cannot start (" + inflater_.errorText() + ")");
    }
    return r.consumed;
}

void Session::gameData(std::string_view payload)
{
    const std::optional<GmcpMessage> message = parseGmcp(payload);
    if (!message) {
        if (!std::exchange(unreadableTold_, true)) {
            flushReceived();
            notice(UnreadableGameDataText);
        }
        return;
    }
    if (message->is("Char.Vitals")) {
        if (mergeVitals(vitals, message->value))
            host.vitalsChanged();
    } else if (message->is("Comm.Channel.Text")) {
        // The game writes the line into its text as well: it goes only to the channel log here.
        if (std::optional<ChannelText> line = readChannelText(message->value)) {
            channels.add(std::move(*line));
            host.channelLineAdded();
        }
    } else if (message->is("Room.Info")) {
        if (const std::optional<GameRoom> room = readGameRoom(message->value)) {
            // The text before the room belongs to the room the player came from.
            flushReceived();
            mapOutcome_ = automapRoom ? automapRoom(*room) : AutomapTracker::Outcome::Nothing;
            reportTracking();
            // The step of a walk is taken once the game names the room; the next one goes
            // when the reply ends, as after a move read from the text.
            if (walk.walking() && map.active) {
                walk.received(mapOutcome_, false, gameMarksPrompts_);
                if (walk.waitsForQuiet() && walkQuietWanted)
                    walkQuietWanted(walk.quietMilliseconds());
            }
        }
    }
}

void Session::clearVitals()
{
    if (vitals.empty())
        return;
    vitals.clear();
    host.vitalsChanged();
}

void Session::sendReplies()
{
    const std::string replies = telnet_.takeReplies();
    if (!replies.empty())
        send.SendToMud(replies);
}

void Session::flushReceived()
{
    if (pending_.empty())
        return;
    // The line ends are made whole here; the old repair of LF CR would split CR LF CR LF.
    std::string block = modernLineEnds(pending_, lineEndHalf_);
    pending_.clear();
    receiveBlock(std::move(block));
}

void Session::receiveFailed(const std::string& why)
{
    flushReceived();
    receiveBroken_ = true;
    std::string text = why;
    text[0] = char(std::toupper(static_cast<unsigned char>(text[0])));
    notice(text + "; the connection was closed.");
    host.setStatus(text);
    // Bytes that follow a broken stream mean nothing; the connection ends without a reconnect.
    connection.Disconnect1Click();
}

void Session::speedwalkTo(const Cell& target)
{
    const std::optional<std::vector<std::string>> route = Speedwalk::route(map, map.position(), target);
    if (!route) {
        host.setStatus(Speedwalk::NoWayText);
        return;
    }
    walk.start(*route);
    // Without the automapper there is nothing to wait for: the whole way goes at once.
    std::string echoText;
    while (walk.walking()) {
        echoText += walkStep();
        if (map.active)
            break;
    }
    if (!echoText.empty())
        WriteTerminal(echoText);
}

void Session::walkQuiet()
{
    if (walk.waitsForQuiet())
        showWalkStep();
}

void Session::showWalkStep()
{
    const std::string echoText = walkStep();
    if (!echoText.empty())
        WriteTerminal(echoText);
}

std::string Session::walkStep()
{
    const std::string step = walk.next();
    script.echo = echoMode();
    parser.ParseCommand(step);
    return echoFor(script.echo, step, script.echoColour);
}

void Session::mapCommand(const std::string& command)
{
    if (automapCommand)
        automapCommand(command);
}

void Session::setStatus(const std::string& text) { host.setStatus(text); }

MsgAnswer Session::messageBox(const std::string& caption, const std::string& text,
                              MsgButtons buttons)
{
    return host.messageBox(caption, text, buttons);
}

void Session::playSound(const std::string& file) { host.playSound(file); }

void Session::echo(const std::string& typed)
{
    const std::string text = echoFor(echoMode(), typed, script.echoColour);
    if (!text.empty())
        WriteTerminal(text);
}

void Session::ProcessCommand(CommandBox& box)
{
    const std::string t = box.text();
    speech.interrupt();
    // A line of the player's own ends a speedwalk: the rest of the way may be wrong now.
    walk.cancel();
    if (inputHidden_) {
        // A secret the server asked for: sent as typed, and nowhere kept or shown.
        box.setText("");
        SendToMud(t + "\r\n");
        return;
    }
    history.submit(t, setup.CommandsRetained);
    echo(t);
    std::string upper = t;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    if (upper == "QUIT")
        connection.disarm();
    if (t.empty())
        SendToMud("\r\n");
    else
        ParseCommand(t);
}

void Session::PasteIntoCommandLine(CommandBox& box, std::string_view text)
{
    const PastedText pasted = PastedText::split(text);
    const std::size_t count = pasted.lines.size();
    if (count > PasteAskAbove &&
        host.messageBox(AppTitle, "Send " + std::to_string(count) + " lines to the game?",
                        MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    for (std::size_t i = 0; i < count; ++i) {
        // The first line joins what the command line holds, as typing it would.
        if (i == 0)
            box.insert(pasted.lines[0]);
        else
            box.setText(pasted.lines[i]);
        box.selectAll();
        ProcessCommand(box);
    }
    if (count == 0 || !pasted.rest.empty())
        box.insert(pasted.rest);
}

void Session::ProcessCmdKey(CommandBox& box, int key, KeyModifiers mods)
{
    // 1. The numeric keypad replaces whatever was typed and submits its command.
    if (KeypadEnabled && ((key >= vk::Numpad0 && key <= vk::Numpad9) || key == vk::Decimal)) {
        const std::size_t slot = key == vk::Decimal ? 10 : std::size_t(key - vk::Numpad0);
        box.setText(keypad[slot]);
        box.selectAll();
        ProcessCommand(box);
    }
    // 2. Ctrl+L switches logging.
    if (key == vk::KeyL && mods.ctrl) {
        LoggingOn = !LoggingOn;
        if (LogFileName.empty()) {
            LoggingOn = false;
            host.setStatus("No log file defined");
        } else {
            host.setStatus(LoggingOn ? "Logging toggled ON" : "Logging toggled OFF");
        }
    }
    // 3. Ctrl+A switches the automapper.
    if (key == vk::KeyA && mods.ctrl) {
        map.active = !map.active;
        host.setStatus(map.active ? "AutoMap activated!" : "AutoMap deactivated.");
    }
    // 4. Function keys: F1..F12, with Shift the second twelve; Ctrl and Alt are ignored.
    if (key >= vk::F1 && key <= vk::F12) {
        const std::size_t entry = std::size_t(key - vk::F1) + (mods.shift ? 12 : 0);
        const HotkeyEntry& h = hotkeys[entry];
        if (!h.text.empty()) {
            box.setText(h.add ? box.text() + h.text : h.text);
            if (h.enter) {
                box.selectAll();
                ProcessCommand(box);
            } else {
                box.caretToEnd();
            }
        }
    }
    // 5, 6. History.
    if (key == vk::Up) {
        if (const std::string* line = history.up()) {
            box.setText(*line);
            box.selectAll();
        }
    }
    if (key == vk::Down) {
        if (const std::string* line = history.down()) {
            box.setText(*line);
            box.selectAll();
        }
    }
    // 7-10. Scrolling; with the long history, the split view's.
    if (readBack.enabled()) {
        readBackKey(box, key);
        return;
    }
    if (key == vk::PageUp && terminal.MirrorOn())
        terminal.ScrollPageUp();
    if (key == vk::PageDown && terminal.MirrorOn())
        terminal.ScrollPageDown();
    if (key == vk::End && terminal.TopLine() != 0) {
        box.selectAll();
        terminal.ScrollToEnd();
    }
    if (key == vk::Home && terminal.TopLine() != 0) {
        box.selectAll();
        terminal.ScrollToStart();
    }
}

void Session::readBackKey(CommandBox& box, int key)
{
    if (key == vk::PageUp && terminal.MirrorOn())
        readBack.pageUp();
    if (key == vk::PageDown && terminal.MirrorOn())
        readBack.pageDown();
    if ((key == vk::End || key == vk::Home) && readBack.split()) {
        box.selectAll();
        if (key == vk::End)
            readBack.join();
        else
            readBack.toStart();
    }
}

bool Session::TerminalKey(char typed)
{
    if (!hiddenCode.feed(typed))
        return false;
    host.showStatRoller();
    return true;
}

void Session::tick()
{
    connection.tick();
    if (LoggingOn && logTick)
        logTick();
    if (script.triggersOn) {
        script.echo = echoMode();
        parser.AdvanceDelayQueue();
    }
}

} // namespace tw
