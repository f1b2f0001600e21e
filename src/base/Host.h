#pragma once
// The one seam between the program's behaviour and the outside world. The main window
// implements it with Qt; tests implement it with a recorder.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tw {

// The application title: the caption of the program's own error boxes.
inline constexpr const char* AppTitle = "Tarnwick 5";

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class Host {
public:
    virtual ~Host() = default;

    // The game connection. socketWrite returns how many bytes the socket took now and may
    // throw SockError.
    virtual bool socketConnected() const = 0;
    virtual std::size_t socketWrite(std::string_view data) = 0;

    // Reporting.
    virtual void setStatus(const std::string& text) = 0;
    virtual void setMudName(const std::string& text) = 0;
    // Shows a message box and returns the answer; the real one runs a nested event loop.
    virtual MsgAnswer messageBox(const std::string& caption, const std::string& text,
                                 MsgButtons buttons) = 0;
    // Asks without waiting: the box stays open while everything else goes on (the tick
    // included), and `answered` runs with the answer once it is given; Enter and Escape give
    // `safe`. This one asks through messageBox, which waits, and answers at once.
    virtual void ask(const std::string& caption, const std::string& text, MsgButtons buttons,
                     MsgAnswer safe, std::function<void(MsgAnswer)> answered)
    {
        (void)safe;
        const MsgAnswer answer = messageBox(caption, text, buttons);
        if (answered)
            answered(answer);
    }

    // The terminal's content or view position changed; the picture is repainted later.
    virtual void terminalChanged() = 0;
    // Text was appended to the terminal (after terminalChanged), for screen readers.
    virtual void terminalTextAdded(std::string_view text) { (void)text; }

    // Services of the tools: help pages, the external editor, the sound player.
    virtual void runHelp(const std::string& commandLine) = 0;
    virtual void runEditor(const std::string& editor, const std::string& file) = 0;
    virtual void playSound(const std::string& file) = 0;  // stops what plays first
    virtual void stopSound() = 0;

    virtual void showStatRoller() = 0;

    // The server echoes typed text itself, so the command line hides what is typed (a
    // password); off again when it stops echoing or the connection ends.
    virtual void setInputHidden(bool hidden) { (void)hidden; }

    // What the game sends beside its text changed: the vitals (Session::vitals; empty when
    // there are none to show) or the channel lines (a line was added to Session::channels).
    virtual void vitalsChanged() {}
    virtual void channelLineAdded() {}
};

} // namespace tw
