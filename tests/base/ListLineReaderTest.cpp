#include "base/ListLineReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

std::vector<std::string> readAll(std::string_view bytes)
{
    ListLineReader r(bytes);
    std::vector<std::string> lines;
    while (!r.atEnd())
        lines.push_back(r.readLine());
    return lines;
}

TEST(ListLineReader, LineEnds)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"crlf", "a\r\nbb\r\n", {"a", "bb"}},
        {"lf", "a\nbb\n", {"a", "bb"}},
        {"last line without end", "a\r\nbb", {"a", "bb"}},
        {"empty lines", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"lone cr ends the field", "ab\rcd\r\nx\r\n", {"ab", "x"}},
        {"nothing", "", {}},
        {"zero byte kept", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readAll(c.bytes), c.lines) << c.name;
}

TEST(ListLineReader, LongLineIsCutAndItsRestSkipped)
{
    const std::string longLine = std::string(255, 'a') + std::string(45, 'b');
    EXPECT_EQ(readAll(longLine + "\r\nnext\r\n"), (std::vector<std::string>{std::string(255, 'a'), "next"}));
    EXPECT_EQ(readAll(longLine), std::vector<std::string>{std::string(255, 'a')});
    EXPECT_EQ(readAll(std::string(255, 'c') + "\r\n"), std::vector<std::string>{std::string(255, 'c')});
}

TEST(ListLineReader, ReadsBeyondTheEndAsEmptyLines)
{
    ListLineReader r("x");
    EXPECT_EQ(r.readLine(), "x");
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readLine(), "");
    EXPECT_EQ(r.readLine(), "");
}

} // namespace
} // namespace tw
