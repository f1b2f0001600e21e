#include "base/FileIo.h"
#include "support/FaultyPlaces.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The program is linked with --wrap=fsync and --wrap=close: every flush to disk and every
// close comes here first, and fails with an I/O error (the file closed all the same) while a
// test asks for it. A save can also be stopped in its flush, with everything written, as a
// process killed there would stop: it writes a byte to flushReached and waits for its end.
namespace {
bool failFlushes = false, failCloses = false;
int flushReached = -1;
}
extern "C" int __real_fsync(int fd);
extern "C" int __wrap_fsync(int fd)
{
    if (flushReached >= 0) {
        [[maybe_unused]] const ssize_t told = ::write(flushReached, "f", 1);
        for (;;)
            ::pause();
    }
    if (failFlushes) {
        errno = EIO;
        return -1;
    }
    return __real_fsync(fd);
}
extern "C" int __real_close(int fd);
extern "C" int __wrap_close(int fd)
{
    const int result = __real_close(fd);
    if (failCloses) {
        errno = EIO;
        return -1;
    }
    return result;
}

namespace tw {
namespace {

using test::TempDir;

TEST(FileIo, AtomicWriteReplacesWholeOrNotAtAll)
{
    TempDir dir;
    const std::string f = dir.file("a.cfg");
    ASSERT_FALSE(writeFileAtomically(f, "first"));
    ASSERT_FALSE(writeFileAtomically(f, "second"));
    std::string error;
    EXPECT_EQ(readWholeFile(f, error), "second");
    // A folder that does not exist: the write fails with a text and leaves nothing behind.
    const auto failed = writeFileAtomically(dir.file("missing/b.cfg"), "x");
    ASSERT_TRUE(failed);
    EXPECT_EQ(*failed, "File not found");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
}

// A save never destroys the file it replaces, and writes where the player meant: through a
// link to its target, in place where the folder takes no new file; a read-only file or
// something that is not a file is refused with a clear text, the administrator included.
TEST(FileIo, SavesWriteThroughLinksAndRefuseWhatIsNotAWritableFile)
{
    namespace fs = std::filesystem;
    TempDir dir;
    std::string error;
    fs::create_directory(dir.path / "real");
    ASSERT_FALSE(writeFileAtomically(dir.file("real/opts.cfg"), "old"));
    fs::create_symlink("real/opts.cfg", dir.path / "link.cfg");
    ASSERT_FALSE(writeFileAtomically(dir.file("link.cfg"), "through"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.cfg"));
    EXPECT_EQ(readWholeFile(dir.file("real/opts.cfg"), error), "through");
    fs::create_symlink("real/new.cfg", dir.path / "dangling.cfg");
    ASSERT_FALSE(writeFileAtomically(dir.file("dangling.cfg"), "made"));
    EXPECT_EQ(readWholeFile(dir.file("real/new.cfg"), error), "made");

    ASSERT_FALSE(writeFileAtomically(dir.file("ro.cfg"), "keep"));
    fs::permissions(dir.path / "ro.cfg", fs::perms(0444));
    EXPECT_EQ(writeFileAtomically(dir.file("ro.cfg"), "lost"), ReadOnlyFileText);
    EXPECT_EQ(readWholeFile(dir.file("ro.cfg"), error), "keep");
    EXPECT_EQ(writeFileAtomically("/dev/null", "x"), NotRegularFileText);
    EXPECT_EQ(writeFileAtomically(dir.file("real"), "x"), NotRegularFileText);
    EXPECT_TRUE(fs::is_directory(dir.path / "real"));

    // Names in any script.
    const std::string named = dir.file("jos\xc3\xa9 \xd0\x94\xd0\xb8\xd0\xbc\xd0\xb0.cfg");
    const std::string binary("\xff" "\0" "bytes", 7);
    ASSERT_FALSE(writeFileAtomically(named, binary));
    EXPECT_EQ(readWholeFile(named, error), binary);

    ASSERT_FALSE(writeFileAtomically(dir.file("real/inplace.cfg"), "before"));
    if (!test::refuseNewFiles(dir.path / "real", true))
        GTEST_SKIP() << "no way to make a folder refuse new files here";
    const auto result = writeFileAtomically(dir.file("real/inplace.cfg"), "after");
    const auto refused = writeFileAtomically(dir.file("real/brandnew.cfg"), "x");
    test::refuseNewFiles(dir.path / "real", false);
    EXPECT_EQ(result, std::nullopt);
    EXPECT_EQ(readWholeFile(dir.file("real/inplace.cfg"), error), "after");
    EXPECT_EQ(refused, "File access denied");
}

// Data the disk did not take is no save: the old file stays, and nothing is left beside it.
// Written in place (the folder takes no new file) the old file is lost, but the save fails.
TEST(FileIo, DataTheDiskDidNotTakeFailsTheSave)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path / "real");
    const std::string f = dir.file("real/a.cfg");
    std::string error;
    for (const bool inPlace : {false, true}) {
        for (bool* fault : {&failFlushes, &failCloses}) {
            ASSERT_FALSE(writeFileAtomically(f, "old"));
            if (inPlace && !test::refuseNewFiles(dir.path / "real", true))
                GTEST_SKIP() << "no way to make a folder refuse new files here";
            *fault = true;
            const auto failed = writeFileAtomically(f, "new");
            *fault = false;
            if (inPlace)
                test::refuseNewFiles(dir.path / "real", false);
            EXPECT_EQ(failed, ioErrorText(EIO)) << inPlace;
            if (!inPlace)
                EXPECT_EQ(readWholeFile(f, error), "old");
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path / "real"), {}), 1);
        }
    }
}

// A new file can be read by everyone and written by its owner; a replaced one keeps its mode.
TEST(FileIo, SavedFilesHaveTheModeOfANewFileOrOfTheOldOne)
{
    TempDir dir;
    const std::pair<const char*, mode_t> cases[] = {{"new.cfg", 0}, {"private.cfg", 0600}, {"shared.cfg", 0775}};
    for (const auto& [name, before] : cases) {
        const std::string f = dir.file(name);
        if (before) {
            test::putFile(f, "old");
            ::chmod(f.c_str(), before);
        }
        ASSERT_FALSE(writeFileAtomically(f, "saved")) << name;
        struct stat st {};
        ASSERT_EQ(::stat(f.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, before ? before : 0644u) << name;
    }
}

// A save killed halfway leaves its temporary file; the next save of the same file removes it,
// and those of earlier versions ("name.tmp-XXXXXX"), but never one that a running save holds.
TEST(FileIo, ASaveRemovesTheTemporaryFilesOfKilledSavesOfItsFile)
{
    TempDir dir;
    const std::string f = dir.file("a.cfg");
    const auto files = [&] { return std::distance(std::filesystem::directory_iterator(dir.path), {}); };
    const auto saveInChild = [&] {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            flushReached = fds[1];
            writeFileAtomically(f, std::string(100000, 'x'));
            std::_Exit(1);
        }
        char reached = 0;
        EXPECT_EQ(::read(fds[0], &reached, 1), 1);
        ::close(fds[0]);
        ::close(fds[1]);
        return child;
    };
    const pid_t running = saveInChild();
    test::putFile(dir.file("a.cfg.tmp-Ab12Cd"), "left by an earlier version");
    test::putFile(dir.file("b.cfg.tmp-Ab12Cd"), "another file's");
    ASSERT_FALSE(writeFileAtomically(f, "saved"));
    EXPECT_EQ(files(), 3); // a.cfg, the running save's and b.cfg's
    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
    ASSERT_FALSE(writeFileAtomically(f, "saved again"));
    EXPECT_EQ(files(), 2);
    std::string error;
    EXPECT_EQ(readWholeFile(f, error), "saved again");
}

TEST(FileIo, ReadRefusesMissingAndOversizedFilesAndWhatIsNoFile)
{
    TempDir dir;
    std::string error;
    EXPECT_FALSE(readWholeFile(dir.file("none"), error));
    EXPECT_EQ(error, "File not found");
    // A pipe is refused at once, not waited for.
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(readWholeFile(dir.file("pipe"), error));
    EXPECT_EQ(error, NotRegularFileText);
    EXPECT_FALSE(readFileHead(dir.file("pipe"), 2, error));
    ASSERT_FALSE(writeFileAtomically(dir.file("big"), std::string(5000, 'x')));
    EXPECT_FALSE(readWholeFile(dir.file("big"), error, 4096));
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(readWholeFile(dir.file("big"), error, 5000)->size(), 5000u);
    EXPECT_EQ(readFileHead(dir.file("big"), 6, error), "xxxxxx");
    EXPECT_EQ(readFileHead(dir.file("big"), 9000, error)->size(), 5000u);
}

} // namespace
} // namespace tw
