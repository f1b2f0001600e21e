#pragma once
// The session log: every received block appended to the player's log file as the receive
// pipeline holds it after its line-end repair. The switch (LoggingOn) and the file name
// (LogFileName) belong to the session; this class keeps the open file.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

class SessionLog {
public:
    static constexpr std::size_t MaxNameLength = 255;
    static constexpr const char* NameTooLongText = "The log file name is longer than 255 characters.";
    // The file is closed and opened again after this many ticks with logging on.
    static constexpr std::uint16_t ReopenTicks = 300;

    SessionLog(bool& loggingOn, std::string& logFileName);
    ~SessionLog();
    SessionLog(const SessionLog&) = delete;
    SessionLog& operator=(const SessionLog&) = delete;

    // OK in the Log File dialog: takes the name and the switch and opens (or creates) the
    // file when logging is on. Returns the error text when the file cannot be opened (a
    // read-only file is not) or the name is longer than 255 characters; the log then goes on
    // as it was, with its old name and file.
    std::optional<std::string> applyDialog(std::string_view name, bool logSession);

    // Appends one block. A failed write (or no open file) switches logging off silently.
    void LogBlock(std::string_view block);

    // The one-second tick, called only while logging is on: the periodic close and reopen.
    void tick();

    // Closes the file; errors are ignored.
    void close();

    bool isOpen() const { return fd_ >= 0; }
    bool loggingOn() const { return LoggingOn; }
    const std::string& fileName() const { return LogFileName; }

    std::uint16_t LogFlushTicks = 0;

    // Called when a failure switched logging off, so that the dialog clears its check box.
    std::function<void()> switchedOff;

private:
    void switchOff();

    bool& LoggingOn;
    std::string& LogFileName;
    std::string boundName_; // the file the log was opened on, reopened by the tick
    int fd_ = -1;
};

} // namespace tw
