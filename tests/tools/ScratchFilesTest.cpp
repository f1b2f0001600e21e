#include "tools/ScratchFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tw {
namespace {

// Each use gets a new empty file under a free name; at the end only the files left empty go,
// and what the player wrote stays with the folder.
TEST(ScratchFiles, ANewFileEachTimeAndOnlyEmptyOnesRemoved)
{
    namespace fs = std::filesystem;
    test::TempDir dir;
    const std::string folder = dir.file("data/scratch");
    std::string first, second, third;
    {
        ScratchFiles scratch(folder);
        fs::create_directories(folder);
        test::putFile(folder + "/untitled-1.txt", "an earlier run's text");
        first = scratch.create();
        second = scratch.create();
        third = scratch.create();
        EXPECT_EQ(first, folder + "/untitled-2.txt");
        EXPECT_EQ(second, folder + "/untitled-3.txt");
        EXPECT_EQ(fs::file_size(first), 0u);
        test::putFile(second, "saved by the player");
    }
    EXPECT_FALSE(fs::exists(first));
    EXPECT_EQ(test::fileText(second), "saved by the player");
    EXPECT_FALSE(fs::exists(third));
    EXPECT_EQ(test::fileText(folder + "/untitled-1.txt"), "an earlier run's text");

    EXPECT_EQ(ScratchFiles(dir.file("new/folder")).create(), dir.file("new/folder/untitled-1.txt"));
    EXPECT_EQ(ScratchFiles("/proc/no-such-folder").create(), "");
}

} // namespace
} // namespace tw
