#include "tools/SessionLog.h"

#include "base/FileIo.h"
#include "base/TextCut.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

SessionLog::SessionLog(bool& loggingOn, std::string& logFileName)
    : LoggingOn(loggingOn), LogFileName(logFileName)
{
}

SessionLog::~SessionLog() { close(); }

void SessionLog::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

namespace {

// Appending to what is there, or creating the file: a log is never truncated. A pipe without
// a reader is refused rather than waited for, and a full one fails the write.
int openForAppending(const std::string& name, int create)
{
    return ::open(name.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK | create, 0666);
}

} // namespace

std::optional<std::string> SessionLog::applyDialog(std::string_view name, bool logSession)
{
    // A name is never cut: the cut one could name the folder, or another file.
    if (characterCount(name, TextCoding::Utf8) > MaxNameLength)
        return NameTooLongText;
    if (!logSession) {
        close();
        LogFileName = name;
        LoggingOn = false;
        return std::nullopt;
    }
    const std::string file(name);
    // A file the player made read-only stays as it is, also for an administrator, whom the
    // system would let write it.
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)
        return ReadOnlyFileText;
    // The new file is open before the old one closes, so that a failure changes nothing.
    const int fd = openForAppending(file, O_CREAT);
    if (fd < 0)
        return ioErrorText(errno);
    close();
    fd_ = fd;
    boundName_ = file;
    LogFileName = file;
    LoggingOn = true;
    return std::nullopt;
}

void SessionLog::LogBlock(std::string_view block)
{
    if (!LoggingOn)
        return;
    if (fd_ < 0 || writeAllBytes(fd_, block) != 0)
        switchOff();
}

void SessionLog::tick()
{
    if (++LogFlushTicks <= ReopenTicks)
        return;
    LogFlushTicks = 1;
    // Closing a file that is not open fails, as does reopening one that has gone.
    const bool wasOpen = fd_ >= 0;
    close();
    if (wasOpen)
        fd_ = openForAppending(boundName_, 0);
    if (fd_ < 0)
        switchOff();
}

void SessionLog::switchOff()
{
    LoggingOn = false;
    close();
    if (switchedOff)
        switchedOff();
}

} // namespace tw
