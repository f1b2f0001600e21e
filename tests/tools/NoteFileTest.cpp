#include "tools/NoteFile.h"
#include "base/FileIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace tw {
namespace {

using Kind = NoteFile::Lookup::Kind;
using test::fileText;
using test::putFile;

// The first add creates the file; later adds append; a last line without a line end (the
// player's editor may leave one) gets one before the new note.
TEST(NoteFile, AddAppendsTwoLines)
{
    test::TempDir dir;
    const std::string notes = dir.file("notes.not");
    ASSERT_FALSE(NoteFile::addNote(notes, "Dragon Lair", "north twice then up"));
    EXPECT_EQ(fileText(notes), "Dragon Lair\r\nnorth twice then up\r\n");
    ASSERT_FALSE(NoteFile::addNote(notes, "", ""));
    EXPECT_EQ(fileText(notes), "Dragon Lair\r\nnorth twice then up\r\n\r\n\r\n");

    const std::string edited = dir.file("edited.not");
    putFile(edited, "key\ntext");
    ASSERT_FALSE(NoteFile::addNote(edited, "k\xc3\xa9y", std::string(300, 'x')));
    EXPECT_EQ(fileText(edited), "key\ntext\r\nk\xc3\xa9y\r\n" + std::string(255, 'x') + "\r\n");
}

// A write that fails part-way leaves the file as it was, and the failure has its text.
TEST(NoteFile, FailedAddLeavesTheFileAsItWas)
{
    test::TempDir dir;
    const std::string notes = dir.file("notes.not");
    putFile(notes, "old\r\nnote\r\n");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 16; // room for half a note
    ::setrlimit(RLIMIT_FSIZE, &small);
    const auto error = NoteFile::addNote(notes, "Dragon Lair", "north twice then up");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_TRUE(error);
    EXPECT_EQ(fileText(notes), "old\r\nnote\r\n");

    EXPECT_EQ(NoteFile::addNote("/dev/full", "a", "b"), NotRegularFileText);
    EXPECT_EQ(NoteFile::addNote(dir.file("missing/notes.not"), "a", "b"), "File not found");
}

TEST(NoteFile, LookUpSearchesKeyWordLinesOnly)
{
    test::TempDir dir;
    const std::string notes = dir.file("notes.not");
    putFile(notes, "Cave\r\ndragon lair is west\r\nDragon Lair\r\nnorth twice then up\r\n"
                   "Lair of the Rat\r\ndown\r\nLIZARD DEN\r\nsouth\r\n" + std::string(260, 'k') + "hidden\r\nlong\r\nLast");
    struct Case {
        const char* search;
        Kind kind;
        std::string text;
    };
    const Case cases[] = {
        {"lair", Kind::Found, "north twice then up"}, // the first of two matches
        {"DRAGON", Kind::Found, "north twice then up"},
        {"gon l", Kind::Found, "north twice then up"},
        {"RAT", Kind::Found, "down"},
        {"lizard", Kind::Found, "south"},
        {"west", Kind::NotFound, "[note not found]"}, // only in a text line
        {"hidden", Kind::NotFound, "[note not found]"}, // beyond the 255 characters read
        {"", Kind::NotFound, "[note not found]"},
        {"last", Kind::Found, ""}, // an odd number of lines
    };
    for (const Case& c : cases) {
        const NoteFile::Lookup result = NoteFile::lookUp(notes, c.search);
        EXPECT_EQ(result.kind, c.kind) << c.search;
        EXPECT_EQ(result.text, c.text) << c.search;
    }
    EXPECT_EQ(NoteFile::lookUp(dir.file("none.not"), "lair").kind, Kind::NoFile);
    EXPECT_EQ(NoteFile::lookUp("", "lair").kind, Kind::NoFile);
}

// Lines are cut at 255 characters, not bytes, so a key word in another script is found again;
// a line an older version wrote in Latin-1 reads as Latin-1; a file of any size is searched.
TEST(NoteFile, CountsCharactersReadsLatin1AndSearchesAnySize)
{
    test::TempDir dir;
    const std::string notes = dir.file("notes.not");
    std::string many;
    for (int i = 0; many.size() < (6u << 20); ++i)
        many += "key " + std::to_string(i) + "\r\ntext\r\n";
    std::string eAcute;
    for (int i = 0; i < 300; ++i)
        eAcute += "\xc3\xa9";
    // Read as Latin-1, a line keeps its first 255 bytes, each one character.
    const std::string latin1 = "Caf\xe9\r\nau lait \xe0 volont\xe9\r\nMixed\r\n" + eAcute.substr(0, 400) +
                               std::string(100, '\xff') + "\r\n";
    std::string mixedRead;
    for (int i = 0; i < 127; ++i)
        mixedRead += "\xc3\x83\xc2\xa9";
    mixedRead += "\xc3\x83";
    putFile(notes, many + latin1);
    const std::string keyWord = eAcute.substr(0, 400) + "x"; // 201 characters in 401 bytes
    ASSERT_FALSE(NoteFile::addNote(notes, keyWord, eAcute));
    EXPECT_EQ(fileText(notes).substr(many.size() + latin1.size()), keyWord + "\r\n" + eAcute.substr(0, 510) + "\r\n");
    const std::pair<std::string, std::string> found[] = {
        {"caf\xc3\xa9", "au lait \xc3\xa0 volont\xc3\xa9"},
        {"mixed", mixedRead},
        {keyWord, eAcute.substr(0, 510)},
    };
    for (const auto& [search, text] : found) {
        const NoteFile::Lookup result = NoteFile::lookUp(notes, search);
        EXPECT_EQ(result.kind, Kind::Found) << search;
        EXPECT_EQ(result.text, text) << search;
    }
}

} // namespace
} // namespace tw
