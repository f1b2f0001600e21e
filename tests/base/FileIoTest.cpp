#include "base/FileIo.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

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

TEST(FileIo, ReadRefusesMissingAndOversizedFiles)
{
    TempDir dir;
    std::string error;
    EXPECT_FALSE(readWholeFile(dir.file("none"), error));
    EXPECT_EQ(error, "File not found");
    ASSERT_FALSE(writeFileAtomically(dir.file("big"), std::string(5000, 'x')));
    EXPECT_FALSE(readWholeFile(dir.file("big"), error, 4096));
    EXPECT_EQ(error, "File too large");
    EXPECT_EQ(readWholeFile(dir.file("big"), error, 5000)->size(), 5000u);
}

} // namespace
} // namespace tw
