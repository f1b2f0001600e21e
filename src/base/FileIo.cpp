#include "base/FileIo.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

bool pathExists(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

int openRegularFile(const std::string& path, int accessFlags, std::string& error)
{
    const int fd = ::open(path.c_str(), accessFlags | O_NONBLOCK | O_CLOEXEC, 0666);
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

// A file's folder (with its closing slash, empty for the current folder) and its own name.
std::pair<std::string, std::string> splitPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {{}, path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// The temporary files of a save are named after the file they replace by a hash of its name,
// so that the name stays short whatever the file's own length: ".twXXXXXXXX-" and six random
// characters.
constexpr std::size_t TempRandomLength = 6;
std::string tempPrefix(const std::string& name)
{
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const unsigned char c : name)
        hash = (hash ^ c) * 16777619u;
    char text[16];
    std::snprintf(text, sizeof text, ".tw%08x-", unsigned(hash));
    return text;
}

bool isTempOf(std::string_view candidate, std::string_view prefix)
{
    return candidate.size() == prefix.size() + TempRandomLength && candidate.substr(0, prefix.size()) == prefix;
}

// Removes what killed saves of this file left: its temporary files that no running save holds
// locked. Earlier versions named them after the whole file name with ".tmp-" and six characters.
void removeStaleTemporaries(const std::string& folder, const std::string& name)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    const std::string prefix = tempPrefix(name);
    const std::string olderPrefix = name + ".tmp-";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view candidate = entry->d_name;
        if (!isTempOf(candidate, prefix) && !isTempOf(candidate, olderPrefix))
            continue;
        const int fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// A new temporary file beside the file it will replace, locked for as long as the save runs
// so that another save of the same file does not take it for a stale one.
struct TempFile {
    std::string path;
    int fd = -1;
    int lock = -1;
    int error = 0;

    TempFile(const std::string& folder, const std::string& name)
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            path = folder + tempPrefix(name) + std::string(TempRandomLength, 'X');
            fd = ::mkstemp(path.data());
            if (fd < 0) {
                error = errno;
                return;
            }
            lock = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat st {};
            // Another save may have taken the new file for a stale one before it was locked.
            if (lock >= 0 && ::flock(lock, LOCK_EX) == 0 && ::fstat(lock, &st) == 0 && st.st_nlink > 0)
                return;
            ::close(fd);
            fd = -1;
            if (lock >= 0)
                ::close(lock);
            lock = -1;
        }
        error = EEXIST;
    }
    ~TempFile()
    {
        if (fd >= 0)
            ::close(fd);
        if (lock >= 0)
            ::close(lock);
    }
    // Closes the file itself; the lock stays until the temporary is renamed or removed.
    int close()
    {
        const int result = ::close(std::exchange(fd, -1));
        return result == 0 ? 0 : errno;
    }
};

// The last resort for a folder that takes no new file: the file itself is rewritten. The disk
// must first give room for the whole new size, so that a full disk fails the save before
// anything of the old file has changed.
std::optional<std::string> writeInPlace(const std::string& path, const std::string& bytes)
{
    std::string openError;
    const int fd = openRegularFile(path, O_WRONLY, openError);
    if (fd < 0)
        return openError;
    int error = 0;
    if (!bytes.empty()) {
        do
            error = ::posix_fallocate(fd, 0, off_t(bytes.size()));
        while (error == EINTR);
    }
    if (!error)
        error = writeAllBytes(fd, bytes);
    if (!error && ::ftruncate(fd, off_t(bytes.size())) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    return error ? std::optional<std::string>(ioErrorText(error)) : std::nullopt;
}

bool refusesNewFiles(int error)
{
    return error == EACCES || error == EPERM || error == EROFS || error == ENOSPC || error == EDQUOT;
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
    const auto [folder, name] = splitPath(target);
    // First, so that the room they took is free for this save.
    removeStaleTemporaries(folder, name);
    TempFile temp(folder, name);
    if (temp.fd < 0) {
        if (exists && refusesNewFiles(temp.error))
            return writeInPlace(target, bytes);
        return ioErrorText(temp.error);
    }
    int error = writeAllBytes(temp.fd, bytes);
    if (!error && ::fsync(temp.fd) != 0)
        error = errno;
    if (!error) {
        // The new file keeps the old one's permissions and, where allowed, its owner.
        ::fchmod(temp.fd, exists ? (old.st_mode & 07777) : 0644);
        if (exists && (::fchown(temp.fd, old.st_uid, old.st_gid) != 0)) {
            // Not being allowed to give the file away is no reason to fail the save.
        }
    }
    if (const int closeError = temp.close(); closeError && !error)
        error = closeError;
    if (!error && ::rename(temp.path.c_str(), target.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.path.c_str());
        return ioErrorText(error);
    }
    return std::nullopt;
}

namespace {

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
    const int fd = openRegularFile(path, O_RDONLY, error);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    std::optional<std::string> out;
    if (::fstat(fd, &st) == 0 && std::size_t(st.st_size) > maxBytes)
        error = FileTooLarge;
    else
        out = readUpTo(fd, maxBytes, true, error);
    ::close(fd);
    return out;
}

std::optional<std::string> readFileHead(const std::string& path, std::size_t n, std::string& error)
{
    const int fd = openRegularFile(path, O_RDONLY, error);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> out = readUpTo(fd, n, false, error);
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
