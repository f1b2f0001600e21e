#pragma once
// Places where saving goes wrong, for the tests of what a failed save keeps: a folder that
// takes no new file, and a file system that is full.
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace tw::test {

// Makes a folder take no new file, or lifts that again: by permissions, or (for an
// administrator, whom permissions do not stop) by the immutable attribute. False when neither
// can be had here.
inline bool refuseNewFiles(const std::filesystem::path& dir, bool on)
{
    if (::geteuid() != 0) {
        std::filesystem::permissions(dir, on ? std::filesystem::perms(0555) : std::filesystem::perms(0755));
        return true;
    }
    const std::string cmd = std::string("chattr ") + (on ? "+i " : "-i ") + dir.string() + " 2>/dev/null";
    return std::system(cmd.c_str()) == 0;
}

// A 64 KB file system (or one of the tmpfs options given) on an empty folder, mounted in a
// mount namespace of this process's own so that nothing else on the machine sees it, and taken
// away again at the end. mounted() is false where the system does not allow it.
class TinyDisk {
public:
    explicit TinyDisk(const std::filesystem::path& folder, const char* options = "size=64k") : folder_(folder)
    {
        std::filesystem::create_directories(folder);
        mounted_ = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options) == 0;
    }
    ~TinyDisk()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;
    bool mounted() const { return mounted_; }

    // Takes every free byte with a file of its own.
    void fill() const
    {
        std::ofstream filler(folder_ / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), std::streamsize(block.size())) && filler.flush()) {
        }
    }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

} // namespace tw::test
