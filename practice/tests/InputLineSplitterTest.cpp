#include "InputLineSplitter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::practice {
namespace {

std::vector<std::string> texts(const std::vector<InputLine>& lines)
{
    std::vector<std::string> result;
    for (const InputLine& line : lines)
        result.push_back(line.text);
    return result;
}

TEST(InputLineSplitter, CutsAtEveryKindOfLineEnd)
{
    struct Case {
        const char* name;
        std::vector<std::string> feeds;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"CR LF", {"look\r\nn\r\n"}, {"look", "n"}},
        {"LF", {"look\nn\n"}, {"look", "n"}},
        {"CR", {"look\rn\r"}, {"look", "n"}},
        {"LF CR", {"look\n\rn\n\r"}, {"look", "n"}},
        {"empty line between", {"a\r\n\r\nb\r\n"}, {"a", "", "b"}},
        {"two bare LFs are two lines", {"a\n\n"}, {"a", ""}},
        {"CR LF split between reads", {"look\r", "\nn\r", "\n"}, {"look", "n"}},
        {"line split between reads", {"lo", "ok\r\n"}, {"look"}},
        {"no line end yet", {"look"}, {}},
        {"backspace takes back", {"lookx\b\r\n"}, {"look"}},
        {"control bytes dropped", {std::string("lo\0o\x1bk\r\n", 9)}, {"look"}},
        {"tab becomes blank", {"say\thi\n"}, {"say hi"}},
        {"high bytes kept", {"say \xff\xe9\n"}, {"say \xff\xe9"}},
    };
    for (const Case& c : cases) {
        InputLineSplitter splitter;
        std::vector<std::string> lines;
        for (const std::string& feed : c.feeds) {
            for (const std::string& line : texts(splitter.feed(feed)))
                lines.push_back(line);
        }
        EXPECT_EQ(lines, c.expected) << c.name;
    }
}

TEST(InputLineSplitter, BoundsAnOverlongLineAndRecoversAtTheNextLineEnd)
{
    InputLineSplitter splitter;
    const std::string block(10000, 'x');
    for (int i = 0; i < 50; ++i)
        EXPECT_TRUE(splitter.feed(block).empty());
    EXPECT_LE(splitter.pendingSize(), InputLineSplitter::kMaxLineLength);

    const auto lines = splitter.feed("\r\nlook\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].tooLong);
    EXPECT_EQ(lines[0].text.size(), InputLineSplitter::kMaxLineLength);
    EXPECT_EQ(lines[1], (InputLine{"look", false}));
}

TEST(InputLineSplitter, ALineOfExactlyTheLimitIsNotTooLong)
{
    InputLineSplitter splitter;
    const auto lines = splitter.feed(std::string(InputLineSplitter::kMaxLineLength, 'y') + "\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FALSE(lines[0].tooLong);
}

} // namespace
} // namespace tw::practice
