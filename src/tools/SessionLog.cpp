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

std::optional<std::string> SessionLog::applyDialog(std::string_view name, bool logSession)
{
    close();
    LogFileName = std::string(cutToBytes(name, MaxNameLength));
    LoggingOn = logSession;
    if (!LoggingOn)
        return std::nullopt;
    boundName_ = LogFileName;
    // A file the player made read-only stays as it is, also for an administrator, whom the
    // system would let write it.
    struct stat st {};
    if (::stat(boundName_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)
        return ReadOnlyFileText;
    // Appending to what is there, or creating the file: a log is never truncated.
    fd_ = ::open(boundName_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return ioErrorText(errno);
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
        fd_ = ::open(boundName_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
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
