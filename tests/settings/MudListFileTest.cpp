#include "settings/MudListFile.h"

#include "base/FileIo.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

const MudList Sample = {
    {"Riverside", "10.0.0.5", "6789"},
    {"Practice", "localhost", "telnet"},
};

TEST(MudListFile, ExportThenImportReproducesTheList)
{
    const std::string path = testing::TempDir() + "muds.lst";
    ASSERT_EQ(MudListFile::exportTo(path, Sample), std::nullopt);
    std::string error;
    EXPECT_EQ(readWholeFile(path, error), "Riverside\r\n10.0.0.5\r\n6789\r\nPractice\r\nlocalhost\r\ntelnet\r\n");

    MudList list;
    ASSERT_EQ(MudListFile::importFrom(path, list), std::nullopt);
    EXPECT_EQ(list, Sample);
    EXPECT_EQ(list[0].line(), "Riverside --> 10.0.0.5:6789");

    // A second import appends: the entries are doubled.
    ASSERT_EQ(MudListFile::importFrom(path, list), std::nullopt);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[3], Sample[1]);
}

TEST(MudListFile, ShortEntriesGetEmptyFields)
{
    const std::pair<const char*, MudList> cases[] = {
        {"a\r\nb\r\n1\r\nc\r\n", {{"a", "b", "1"}, {"c", "", ""}}},
        {"a\r\nb\r\n1\r\nc\r\nd", {{"a", "b", "1"}, {"c", "d", ""}}},
        {"a\nb", {{"a", "b", ""}}},
        {"", {}},
    };
    for (const auto& [text, expected] : cases) {
        MudList list;
        MudListFile::appendFromText(text, list);
        EXPECT_EQ(list, expected) << text;
    }
}

TEST(MudListFile, LongLineIsCutAndItsRestIsNotTheNextField)
{
    MudList list;
    MudListFile::appendFromText(std::string(300, 'n') + "\r\nhost\r\n123456\r\n", list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0], (MudEntry{std::string(255, 'n'), "host", "123456"}));
}

TEST(MudListFile, IoErrorsAreReported)
{
    MudList list = Sample;
    EXPECT_EQ(MudListFile::importFrom(testing::TempDir() + "missing.lst", list), "File not found");
    EXPECT_EQ(list, Sample);
    EXPECT_TRUE(MudListFile::exportTo(testing::TempDir() + "no-folder/x.lst", Sample));
}

} // namespace
} // namespace tw
