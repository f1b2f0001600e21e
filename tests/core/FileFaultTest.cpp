// Saving options and maps, and logging, where the file system says no: a full disk, a folder
// that takes no new file, a read-only file, a symbolic link, a device and a name in another
// script. The previous file survives every failure, and the player hears what really happened.
#include "base/FileIo.h"
#include "map/MapFile.h"
#include "settings/OptionsFileWriter.h"
#include "settings/OptionsFile.h"
#include "settings/OptionsMenu.h"
#include "support/FaultyPlaces.h"
#include "support/RecordingHost.h"
#include "support/TempDir.h"
#include "tools/NoteFile.h"
#include "tools/SessionLog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace tw {
namespace {

namespace fs = std::filesystem;
using test::fileText;
using test::putFile;

const std::string Previous = "the previous good file";

struct Saver {
    const char* name;
    std::string bytes; // what a successful save writes
    // Saves to path; the error text the player is shown, or nothing on success.
    std::function<std::optional<std::string>(const std::string& path)> save;
};

std::vector<Saver> savers()
{
    OptionsData options;
    options.muds.push_back({"Practice World", "127.0.0.1", "4000"});
    static MapModel map;
    map.CreateMap(15, 15, 5, 0);
    return {
        {"options", OptionsFileWriter::write(options),
         [options](const std::string& path) -> std::optional<std::string> {
             test::RecordingHost host;
             const OptionsMenu::SaveResult r = OptionsMenu::saveOptionsOver(host, path, options);
             // "Option file saved" is said exactly when the file holds the options.
             EXPECT_EQ(host.lastStatus() == OptionsMenu::SavedStatus, r.outcome == OptionsMenu::SaveOutcome::Saved);
             if (r.outcome == OptionsMenu::SaveOutcome::Saved)
                 return std::nullopt;
             return r.errorText;
         }},
        {"map", MapFile::serialise(map.grid),
         [](const std::string& path) { return MapFile::save(map, path); }},
    };
}

TEST(FileFaults, AFailedSaveKeepsThePreviousFileAndSaysWhy)
{
    for (const Saver& saver : savers()) {
        SCOPED_TRACE(saver.name);
        test::TempDir dir;
        fs::create_directory(dir.path / "disk");
        test::TinyDisk disk(dir.path / "disk");
        if (disk.mounted()) {
            putFile(dir.file("disk/full.cfg"), Previous);
            fs::create_directory(dir.path / "disk/locked");
            putFile(dir.file("disk/locked/full.cfg"), Previous);
            disk.fill();
            EXPECT_EQ(saver.save(dir.file("disk/full.cfg")), "Disk full");
            EXPECT_EQ(fileText(dir.file("disk/full.cfg")), Previous);
            // Written in place (the folder takes no new file), the disk must give room for the
            // whole file before the first byte changes: the old file or the new one, never a mix.
            // (A small file may fit into the room the old one had.)
            if (test::refuseNewFiles(dir.path / "disk/locked", true)) {
                const auto inPlace = saver.save(dir.file("disk/locked/full.cfg"));
                EXPECT_EQ(fileText(dir.file("disk/locked/full.cfg")), inPlace ? Previous : saver.bytes);
                EXPECT_EQ(inPlace.value_or("Disk full"), "Disk full");
                test::refuseNewFiles(dir.path / "disk/locked", false);
            }
        } else {
            std::printf("[  SKIPPED ] a full disk needs a tmpfs mount (an administrator)\n");
        }
        // A disk without a free inode takes no new file either: the file there is written in place.
        {
            test::TinyDisk noInodes(dir.path / "inodes", "size=1m,nr_inodes=2");
            putFile(dir.file("inodes/last.cfg"), Previous);
            if (noInodes.mounted()) {
                EXPECT_EQ(saver.save(dir.file("inodes/last.cfg")), std::nullopt);
                EXPECT_EQ(fileText(dir.file("inodes/last.cfg")), saver.bytes);
            }
        }

        putFile(dir.file("readonly.cfg"), Previous);
        fs::permissions(dir.path / "readonly.cfg", fs::perms(0444));
        EXPECT_EQ(saver.save(dir.file("readonly.cfg")), ReadOnlyFileText);
        EXPECT_EQ(fileText(dir.file("readonly.cfg")), Previous);

        EXPECT_EQ(saver.save("/dev/full"), NotRegularFileText);

        fs::create_directory(dir.path / "real");
        putFile(dir.file("real/target.cfg"), Previous);
        fs::create_symlink("real/target.cfg", dir.path / "link.cfg");
        EXPECT_EQ(saver.save(dir.file("link.cfg")), std::nullopt);
        EXPECT_TRUE(fs::is_symlink(dir.path / "link.cfg"));
        EXPECT_EQ(fileText(dir.file("real/target.cfg")), saver.bytes);

        const std::string named = dir.file("carte \xc3\xa9t\xc3\xa9 \xd0\xba\xd0\xb0\xd1\x80\xd1\x82\xd0\xb0.cfg");
        EXPECT_EQ(saver.save(named), std::nullopt);
        EXPECT_EQ(fileText(named), saver.bytes);

        // A folder that takes no new file: the file there is written in place, a new one is
        // refused and nothing is left behind.
        putFile(dir.file("real/target.cfg"), Previous);
        if (!test::refuseNewFiles(dir.path / "real", true))
            continue;
        const auto inPlace = saver.save(dir.file("real/target.cfg"));
        const auto refused = saver.save(dir.file("real/new.cfg"));
        test::refuseNewFiles(dir.path / "real", false);
        EXPECT_EQ(inPlace, std::nullopt);
        EXPECT_EQ(fileText(dir.file("real/target.cfg")), saver.bytes);
        EXPECT_EQ(refused, "File access denied");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "real"), {}), 1);
    }
}

// Every reader refuses a pipe at once with the reason, where it would wait for a writer for
// ever; a pipe is no missing file either.
TEST(FileFaults, ReadersRefuseAPipeAtOnce)
{
    test::TempDir dir;
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const OptionsLoadResult options = OptionsFile::load(pipe, SetupVars{});
    EXPECT_EQ(options.kind, OptionsLoadResult::Kind::IoError);
    EXPECT_EQ(options.errorText, NotRegularFileText);
    const NoteFile::Lookup note = NoteFile::lookUp(pipe, "x");
    EXPECT_EQ(note.kind, NoteFile::Lookup::Kind::Failed);
    EXPECT_EQ(note.text, NotRegularFileText);
    EXPECT_EQ(NoteFile::addNote(pipe, "key", "text"), NotRegularFileText);
}

// The log only ever appends: a full disk or a device that takes nothing switches logging off
// and clears the dialog's box, with what was logged before intact; a read-only file is refused
// when the log is switched on.
TEST(FileFaults, TheLogKeepsWhatItHeldAndStopsWhenItCannotWrite)
{
    test::TempDir dir;
    bool on = false;
    std::string name;
    SessionLog log(on, name);
    int switchedOff = 0;
    log.switchedOff = [&] { ++switchedOff; };

    fs::create_directory(dir.path / "disk");
    test::TinyDisk disk(dir.path / "disk");
    if (disk.mounted()) {
        putFile(dir.file("disk/game.log"), Previous);
        ASSERT_EQ(log.applyDialog(dir.file("disk/game.log"), true), std::nullopt);
        disk.fill();
        log.LogBlock(std::string(8192, 'x'));
        EXPECT_FALSE(on);
        EXPECT_EQ(switchedOff, 1);
        EXPECT_EQ(fileText(dir.file("disk/game.log")).substr(0, Previous.size()), Previous);
    }

    ASSERT_EQ(log.applyDialog("/dev/full", true), std::nullopt);
    log.LogBlock("lost");
    EXPECT_FALSE(on);

    putFile(dir.file("readonly.log"), Previous);
    fs::permissions(dir.path / "readonly.log", fs::perms(0444));
    EXPECT_EQ(log.applyDialog(dir.file("readonly.log"), true), ReadOnlyFileText);
    log.LogBlock("lost");
    EXPECT_FALSE(on);
    EXPECT_EQ(fileText(dir.file("readonly.log")), Previous);

    // Through a link, in a folder that takes no new file, and under a name in another script,
    // the log goes on where it was.
    fs::create_directory(dir.path / "real");
    putFile(dir.file("real/game.log"), Previous);
    fs::create_symlink("real/game.log", dir.path / "link.log");
    const std::string named = dir.file("journal \xc3\xa9t\xc3\xa9.log");
    putFile(named, Previous);
    const bool refusing = test::refuseNewFiles(dir.path / "real", true);
    for (const std::string& file : {dir.file("link.log"), named}) {
        ASSERT_EQ(log.applyDialog(file, true), std::nullopt);
        log.LogBlock(" and more");
        EXPECT_TRUE(on);
    }
    log.close();
    if (refusing)
        test::refuseNewFiles(dir.path / "real", false);
    EXPECT_EQ(fileText(dir.file("real/game.log")), Previous + " and more");
    EXPECT_EQ(fileText(named), Previous + " and more");
}

} // namespace
} // namespace tw
