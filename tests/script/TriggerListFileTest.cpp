#include "script/TriggerListFile.h"

#include "base/FileIo.h"

#include <gtest/gtest.h>

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

TEST(TriggerListFile, ErrorsAreReportedAndChangeNothing)
{
    TriggerList list = Three;
    EXPECT_EQ(TriggerListFile::importFrom(testing::TempDir() + "no-such.trg", list), "File not found");
    EXPECT_EQ(list, Three);
    EXPECT_TRUE(TriggerListFile::exportTo(testing::TempDir() + "no-such-folder/x.trg", list));
}

} // namespace
} // namespace tw
