#include "script/TriggerListFile.h"

#include "base/FileIo.h"
#include "base/ListFileText.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tw {
namespace {

const TriggerList Three = {
    {"You are hungry", "eat bread", "100000"},
    {"%% tells you '%%'", "tell %0 got %1", "101501"},
    {"HP: %%/%%", "", "000700"},
};

TEST(TriggerListFile, ExportWritesThreeLinesPerTriggerAndImportGivesThemBack)
{
    const std::string path = testing::TempDir() + "three.trg";
    ASSERT_EQ(TriggerListFile::exportTo(path, Three), std::nullopt);

    std::string error;
    const auto bytes = readWholeFile(path, error);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes,
              "You are hungry\r\neat bread\r\n100000\r\n"
              "%% tells you '%%'\r\ntell %0 got %1\r\n101501\r\n"
              "HP: %%/%%\r\n\r\n000700\r\n");

    TriggerList back;
    ASSERT_EQ(TriggerListFile::importFrom(path, back), std::nullopt);
    EXPECT_EQ(back, Three);
    EXPECT_EQ(back[2].line(), "( ) HP: %%/%% --> ");
}

TEST(TriggerListFile, ImportAppendsAndCompletesAShortGroup)
{
    TriggerList list = {{"old", "x", "100000"}};
    TriggerListFile::appendFromText("a\r\nb\r\n100000\r\nc\nd", list);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].pattern, "old");
    EXPECT_EQ(list[1], (TriggerEntry{"a", "b", "100000"}));
    EXPECT_EQ(list[2], (TriggerEntry{"c", "d", ""}));
    EXPECT_EQ(list[2].line(), "( ) c --> d");

    // Only CR LF or LF ends a line: a lone CR is part of the text.
    TriggerList cr;
    TriggerListFile::appendFromText("a\rb\r\nc\r\n1\r\n", cr);
    EXPECT_EQ(cr, (TriggerList{{"a\rb", "c", "1"}}));
}

// The largest list the program writes, 65,535 triggers with every field at 255 characters
// (50 MB), imports whole again.
TEST(TriggerListFile, TheLargestExportImportsWhole)
{
    const std::string field(255, 'f');
    const TriggerList most(MaxListEntries, {field, field, field});
    const std::string path = testing::TempDir() + "most.trg";
    ASSERT_EQ(TriggerListFile::exportTo(path, most), std::nullopt);
    TriggerList back;
    ASSERT_EQ(TriggerListFile::importFrom(path, back), std::nullopt);
    EXPECT_TRUE(back == most);
    std::remove(path.c_str());
}

TEST(TriggerListFile, ImportCutsEachLineAndSkipsItsRest)
{
    TriggerList list;
    TriggerListFile::appendFromText(std::string(300, 'p') + "\r\nr\r\n1\r\n", list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].pattern, std::string(255, 'p'));
    EXPECT_EQ(list[0].response, "r");
    EXPECT_TRUE(list[0].active());
}

// A list never grows past what an options file can count; an import that would pass it is
// refused whole, however it is made up (a file of blank lines too).
TEST(TriggerListFile, ImportBeyondTheOptionsFileLimitIsRefusedWhole)
{
    TriggerList list(MaxListEntries - 2);
    EXPECT_TRUE(TriggerListFile::appendFromText(std::string(4u << 20, '\n'), list));
    EXPECT_EQ(list.size(), MaxListEntries - 2);
    const auto refused = TriggerListFile::appendFromText("a\r\nb\r\n1\r\nc\r\nd\r\n1\r\ne\r\n", list);
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("65533"), std::string::npos) << *refused;
    EXPECT_EQ(list.size(), MaxListEntries - 2);
    EXPECT_EQ(TriggerListFile::appendFromText("a\r\nb\r\n1\r\nc\r\nd\r\n1\r\n", list), std::nullopt);
    EXPECT_EQ(list.size(), MaxListEntries);
}

TEST(TriggerListFile, ErrorsAreReportedAndChangeNothing)
{
    TriggerList list = Three;
    EXPECT_EQ(TriggerListFile::importFrom(testing::TempDir() + "no-such.trg", list), "File not found");
    EXPECT_EQ(list, Three);
    EXPECT_TRUE(TriggerListFile::exportTo(testing::TempDir() + "no-such-folder/x.trg", list));
}

} // namespace
} // namespace tw
