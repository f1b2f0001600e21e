#include "script/AliasListFile.h"

#include "base/FileIo.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(AliasListFile, ExportWritesTwoLinesPerAliasAndImportAppends)
{
    const AliasList two = {{"k", "kill"}, {"gg", "get all;look"}};
    const std::string path = testing::TempDir() + "two.als";
    ASSERT_EQ(AliasListFile::exportTo(path, two), std::nullopt);

    std::string error;
    EXPECT_EQ(readWholeFile(path, error), "k\r\nkill\r\ngg\r\nget all;look\r\n");

    // Importing adds the aliases again even though they already exist.
    AliasList list = two;
    ASSERT_EQ(AliasListFile::importFrom(path, list), std::nullopt);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[2], two[0]);
    EXPECT_EQ(list[3], two[1]);
}

TEST(AliasListFile, ShortPairGetsAnEmptyExpansionAndLongLinesAreCut)
{
    AliasList list;
    AliasListFile::appendFromText(std::string(256, 'w') + "xyz\nexp\nlonely", list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (AliasEntry{std::string(255, 'w'), "exp"}));
    EXPECT_EQ(list[1], (AliasEntry{"lonely", ""}));
}

TEST(AliasListFile, UnreadableFileIsReported)
{
    AliasList list;
    EXPECT_EQ(AliasListFile::importFrom(testing::TempDir() + "missing.als", list), "File not found");
    EXPECT_TRUE(list.empty());
}

} // namespace
} // namespace tw
