#include "script/HotkeyFile.h"

#include "base/FileIo.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

HotkeyTable sampleTable()
{
    HotkeyTable t;
    for (int i = 0; i < HotkeyCount; ++i) {
        auto& e = t[std::size_t(i)];
        e.text = "cmd" + std::to_string(i);
        e.enter = i % 2 == 0;
        e.add = i % 3 == 0;
    }
    return t;
}

TEST(HotkeyFile, ExportWrites96LinesAndImportRestoresAll24)
{
    const HotkeyTable table = sampleTable();
    const std::string path = testing::TempDir() + "keys.hky";
    ASSERT_EQ(HotkeyFile::exportTo(path, table), std::nullopt);

    std::string error;
    const auto bytes = readWholeFile(path, error);
    ASSERT_TRUE(bytes);
    std::size_t lines = 0;
    for (std::size_t p = 0; (p = bytes->find("\r\n", p)) != std::string::npos; p += 2)
        ++lines;
    EXPECT_EQ(lines, 96u);
    EXPECT_EQ(bytes->substr(0, 20), "F1\r\ncmd0\r\n11\r\n\r\nF2\r\n");
    EXPECT_NE(bytes->find("\r\n\r\nSF1\r\ncmd12\r\n11\r\n\r\nSF2\r\n"), std::string::npos);
    EXPECT_TRUE(bytes->ends_with("SF12\r\ncmd23\r\n00\r\n\r\n"));

    HotkeyTable back;
    ASSERT_EQ(HotkeyFile::importFrom(path, back), std::nullopt);
    EXPECT_EQ(back, table);
}

TEST(HotkeyFile, ShortFileClearsTheMissingRecords)
{
    const HotkeyTable t = HotkeyFile::fromText("F1\r\nkill orc\r\n10\r\n\r\nF2\r\nflee\r\n01\r\n\r\n");
    EXPECT_EQ(t[0], (HotkeyEntry{"kill orc", true, false}));
    EXPECT_EQ(t[1], (HotkeyEntry{"flee", false, true}));
    for (std::size_t i = 2; i < t.size(); ++i)
        EXPECT_EQ(t[i], (HotkeyEntry{"", false, false})) << i;
}

TEST(HotkeyFile, FlagsAndLongTexts)
{
    // Labels are not compared; only "1" sets a flag; a long text is cut and its rest skipped.
    const HotkeyTable t = HotkeyFile::fromText("anything\n" + std::string(300, 't') + "\nx1\n\nF2\nb\n1\n\n");
    EXPECT_EQ(t[0], (HotkeyEntry{std::string(255, 't'), false, true}));
    EXPECT_EQ(t[1], (HotkeyEntry{"b", true, false}));
}

TEST(HotkeyFile, FailedImportLeavesTheTable)
{
    HotkeyTable t = sampleTable();
    EXPECT_EQ(HotkeyFile::importFrom(testing::TempDir() + "missing.hky", t), "File not found");
    EXPECT_EQ(t, sampleTable());
}

} // namespace
} // namespace tw
