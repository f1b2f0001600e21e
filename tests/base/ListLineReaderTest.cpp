#include "base/ListLineReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace tw {
namespace {

std::vector<std::string> readAll(ListLineReader& r)
{
    std::vector<std::string> lines;
    while (!r.atEnd())
        lines.push_back(r.readLine());
    return lines;
}

// Every case reads the same from memory and from a file, where the file is read in blocks of
// 64 KiB: the cases that put a line end across a block's edge pin that reading.
TEST(ListLineReader, LineEndsFromMemoryAndFromAFile)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        TextCoding coding = TextCoding::Bytes;
    };
    const std::string block(65535, 'b'), longLine = std::string(255, 'a') + std::string(45, 'b');
    std::string eAcute;
    for (int i = 0; i < 300; ++i)
        eAcute += "\xc3\xa9";
    const std::vector<Case> cases = {
        {"crlf", "a\r\nbb\r\n", {"a", "bb"}},
        {"lf", "a\nbb\n", {"a", "bb"}},
        {"last line without end", "a\r\nbb", {"a", "bb"}},
        {"empty lines", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"lone cr is text", "a\rb\r\nc\r\n", {"a\rb", "c"}},
        {"cr before crlf", "a\r\r\nx\r", {"a\r", "x\r"}},
        {"nothing", "", {}},
        {"one byte", "x", {"x"}},
        {"zero byte kept", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
        {"long line cut, rest skipped", longLine + "\r\nnext\r\n", {std::string(255, 'a'), "next"}},
        {"long last line", longLine, {std::string(255, 'a')}},
        {"255 and crlf", std::string(255, 'c') + "\r\n", {std::string(255, 'c')}},
        {"254, cr and crlf", std::string(254, 'c') + "\r\r\n", {std::string(254, 'c') + "\r"}},
        {"255 characters of utf-8", eAcute + "\r\nx", {eAcute.substr(0, 510), "x"}, TextCoding::Utf8},
        {"crlf across blocks", block + "\r\nx\r\n", {std::string(255, 'b'), "x"}},
        {"short line across blocks", std::string(65534, '\n') + "ab\r\ncd", {"ab", "cd"}},
        {"cr ending a block", std::string(65535, '\n') + "\r\ny\r", {"", "y\r"}},
    };
    test::TempDir dir;
    const std::string path = dir.file("lines.txt");
    for (const Case& c : cases) {
        ListLineReader inMemory(c.bytes, c.coding);
        std::vector<std::string> lines = readAll(inMemory);
        if (lines.size() > 3)
            lines.erase(lines.begin(), lines.end() - 2); // the many empty lines before a block's edge
        EXPECT_EQ(lines, c.lines) << c.name;
        test::putFile(path, c.bytes);
        ListLineReader fromFile = ListLineReader::openFile(path, c.coding);
        lines = readAll(fromFile);
        if (lines.size() > 3)
            lines.erase(lines.begin(), lines.end() - 2);
        EXPECT_EQ(lines, c.lines) << c.name << " (file)";
        EXPECT_EQ(fromFile.error(), "") << c.name;
    }
}

TEST(ListLineReader, ReadsBeyondTheEndAsEmptyLines)
{
    ListLineReader r("x");
    EXPECT_EQ(r.readLine(), "x");
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readLine(), "");
    EXPECT_EQ(r.readLine(), "");
}

// A line of 256 MB without a line end is passed over with no more memory than a block, and
// a folder or a pipe without a writer is refused at once instead of read for ever.
TEST(ListLineReader, AHugeLineTakesNoMemoryAndOnlyRegularFilesAreRead)
{
    test::TempDir dir;
    const std::string huge = dir.file("huge.trg");
    test::putFile(huge, "first");
    std::filesystem::resize_file(huge, std::uintmax_t(256) << 20); // a sparse file of NULs
    const auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto filesBefore = openFiles();
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    ListLineReader r = ListLineReader::openFile(huge, TextCoding::Bytes);
    const std::string line = r.readLine();
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(line, "first" + std::string(250, '\0'));
    EXPECT_TRUE(r.atEnd());
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 16 * 1024) << "kB";
    EXPECT_EQ(openFiles(), filesBefore); // closed at its end

    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    for (const char* name : {"pipe", ""}) {
        ListLineReader refused = ListLineReader::openFile(dir.file(name), TextCoding::Bytes);
        EXPECT_EQ(refused.error(), "Not a regular file") << name;
        EXPECT_TRUE(refused.atEnd());
    }
    EXPECT_EQ(ListLineReader::openFile(dir.file("none"), TextCoding::Bytes).error(), "File not found");
    // A file that fails to read (here the process's own memory at address 0) ends with the error.
    ListLineReader failing = ListLineReader::openFile("/proc/self/mem", TextCoding::Bytes);
    EXPECT_TRUE(failing.atEnd());
    EXPECT_EQ(failing.error(), "Input/output error");
}

} // namespace
} // namespace tw
