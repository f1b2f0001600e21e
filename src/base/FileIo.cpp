#include "base/FileIo.h"

#include <cerrno>
#include <cstdio>
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

std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes)
{
    std::string temp = path + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return ioErrorText(errno);
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    int error = 0;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        p += n;
        left -= std::size_t(n);
    }
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error) {
        // Keep the permissions of the file being replaced, or the usual ones for a new file.
        struct stat st {};
        const mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
        ::chmod(temp.c_str(), mode);
        if (::rename(temp.c_str(), path.c_str()) != 0)
            error = errno;
    }
    if (error) {
        ::unlink(temp.c_str());
        return ioErrorText(error);
    }
    return std::nullopt;
}

std::optional<std::string> readWholeFile(const std::string& path, std::string& error,
                                         std::size_t maxBytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        error = ioErrorText(errno);
        return std::nullopt;
    }
    std::string out;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = ioErrorText(errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        if (out.size() + std::size_t(n) > maxBytes) {
            error = FileTooLarge;
            ::close(fd);
            return std::nullopt;
        }
        out.append(buf, std::size_t(n));
    }
    ::close(fd);
    return out;
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
