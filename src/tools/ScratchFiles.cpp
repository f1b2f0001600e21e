#include "tools/ScratchFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

std::string ScratchFiles::create()
{
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    // Bounded, so that a folder that refuses every name cannot keep it trying.
    for (int n = 1; n <= 10000; ++n) {
        const std::string path = folder_ + "/untitled-" + std::to_string(n) + ".txt";
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            made_.push_back(path);
            return path;
        }
        if (errno != EEXIST)
            break;
    }
    return {};
}

void ScratchFiles::removeEmpty()
{
    for (const std::string& path : made_) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0)
            ::unlink(path.c_str());
    }
    made_.clear();
}

} // namespace tw
