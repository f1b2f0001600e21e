#include "base/FileIo.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

std::string ioErrorText(int e)
{
    switch (e) {
    case ENOENT: return "File not found";
    case EACCES:
    case EPERM:
    case EROFS: return "File access denied";
    case ENOSPC:
    case EDQUOT: return "Disk full";
    case EISDIR: return "Is a directory";
    case EMFILE:
    case ENFILE: return "Too many open files";
    default: return std::strerror(e);
    }
}

bool fileExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

// The file a path names for writing: a symbolic link stands for its target, also one whose
// target does not exist yet.
std::string writeTarget(const std::string& path)
{
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        char link[PATH_MAX];
        const ssize_t n = ::readlink(target.c_str(), link, sizeof link - 1);
        if (n <= 0)
            return target;
        std::string next(link, std::size_t(n));
        if (next.front() != '/') {
            const std::size_t slash = target.rfind('/');
            next = (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + next;
        }
        target = next;
    }
    return target;
}

int writeAll(int fd, const std::string& bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        p += n;
        left -= std::size_t(n);
    }
    return 0;
}

// The last resort for a folder that takes no new file: the file itself is rewritten.
std::optional<std::string> writeInPlace(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC);
    if (fd < 0)
        return ioErrorText(errno);
    int error = writeAll(fd, bytes);
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    return error ? std::optional<std::string>(ioErrorText(error)) : std::nullopt;
}

} // namespace

std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes)
{
    const std::string target = writeTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return NotRegularFileText;
        // Checked by hand as well: the system lets an administrator write any file.
        if ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
            return ReadOnlyFileText;
    }
    std::string temp = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int e = errno;
        if (exists && (e == EACCES || e == EPERM || e == EROFS))
            return writeInPlace(target, bytes);
        return ioErrorText(e);
    }
    int error = writeAll(fd, bytes);
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (!error) {
        // The new file keeps the old one's permissions and, where allowed, its owner.
        ::fchmod(fd, exists ? (old.st_mode & 07777) : 0644);
        if (exists && (::fchown(fd, old.st_uid, old.st_gid) != 0)) {
            // Not being allowed to give the file away is no reason to fail the save.
        }
    }
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.c_str());
        return ioErrorText(error);
    }
    return std::nullopt;
}

namespace {

int openForReading(const std::string& path, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        error = ioErrorText(errno);
    return fd;
}

// Reads until the end of the file or until more than limit bytes have come.
std::optional<std::string> readUpTo(int fd, std::size_t limit, bool tooMuchIsAnError,
                                    std::string& error)
{
    std::string out;
    char buf[65536];
    for (;;) {
        const std::size_t want = tooMuchIsAnError ? sizeof buf : std::min(sizeof buf, limit - out.size());
        if (want == 0)
            break;
        const ssize_t n = ::read(fd, buf, want);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = ioErrorText(errno);
            return std::nullopt;
        }
        if (n == 0)
            break;
        if (tooMuchIsAnError && out.size() + std::size_t(n) > limit) {
            error = FileTooLarge;
            return std::nullopt;
        }
        out.append(buf, std::size_t(n));
    }
    return out;
}

} // namespace

std::optional<std::string> readWholeFile(const std::string& path, std::string& error,
                                         std::size_t maxBytes)
{
    const int fd = openForReading(path, error);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<std::string> out;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && std::size_t(st.st_size) > maxBytes)
        error = FileTooLarge;
    else
        out = readUpTo(fd, maxBytes, true, error);
    ::close(fd);
    return out;
}

std::optional<std::string> readFileHead(const std::string& path, std::size_t n, std::string& error)
{
    const int fd = openForReading(path, error);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> out = readUpTo(fd, n, false, error);
    ::close(fd);
    return out;
}

int openRegularFileForReading(const std::string& path, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = ioErrorText(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = NotRegularFileText;
        ::close(fd);
        return -1;
    }
    return fd;
}

int writeAllBytes(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        bytes.remove_prefix(std::size_t(n));
    }
    return 0;
}

} // namespace tw
