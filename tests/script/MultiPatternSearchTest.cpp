#include "script/MultiPatternSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tw {
namespace {

// Random strings over a small alphabet (with a high byte and a NUL) share prefixes and suffixes
// often, which is where the failure and output links matter.
std::string randomText(std::mt19937& rng, std::size_t maxLength)
{
    static const char alphabet[] = {'a', 'b', 'c', '\r', '\n', '\xff', '\0'};
    std::string s(rng() % (maxLength + 1), ' ');
    for (char& c : s)
        c = alphabet[rng() % (rng() % 3 == 0 ? std::size(alphabet) : 3)];
    return s;
}

TEST(MultiPatternSearch, FindsWhatAPlainSearchFinds)
{
    std::mt19937 rng(7);
    MultiPatternSearch search;
    for (int round = 0; round < 400; ++round) {
        search.clear();
        std::vector<std::string> patterns;
        std::vector<std::uint32_t> ids;
        for (unsigned groups = 1 + rng() % 6; groups > 0; --groups) {
            std::vector<std::string> group;
            for (unsigned n = 1 + rng() % 3; n > 0; --n)
                group.push_back(randomText(rng, round % 4 == 0 ? 14 : 5));
            std::vector<std::string_view> views(group.begin(), group.end());
            std::vector<std::uint32_t> groupIds(group.size());
            ASSERT_TRUE(search.addGroup(views.data(), views.size(), groupIds.data()));
            patterns.insert(patterns.end(), group.begin(), group.end());
            ids.insert(ids.end(), groupIds.begin(), groupIds.end());
        }
        search.build();
        // Every fourth text is long enough to be walked in parts side by side.
        const std::string text = randomText(rng, round % 4 == 0 ? 3000 : 40);
        // The whole text, then a part of it after a restart, then a second part added to it.
        const std::size_t cut = rng() % (text.size() + 1), cut2 = cut + rng() % (text.size() - cut + 1);
        for (int pass = 0; pass < 2; ++pass) {
            search.restart();
            search.scan(text, pass == 0 ? 0 : cut, pass == 0 ? text.size() : cut2);
            for (std::size_t k = 0; k < patterns.size(); ++k) {
                const std::string_view part =
                    pass == 0 ? std::string_view(text) : std::string_view(text).substr(cut, cut2 - cut);
                ASSERT_EQ(search.found(ids[k]), part.find(patterns[k]) != std::string::npos) << round << " " << k;
                for (std::size_t j = 0; j < k; ++j)
                    ASSERT_EQ(ids[j] == ids[k], patterns[j] == patterns[k]) << round;
            }
        }
        search.scan(text, 0, text.size());
        for (std::size_t k = 0; k < patterns.size(); ++k)
            ASSERT_EQ(search.found(ids[k]), text.find(patterns[k]) != std::string::npos) << round;
    }
}

TEST(MultiPatternSearch, SeesAStringAcrossTheSeamsOfTheWalksSideBySide)
{
    // A long text is walked in four parts at once; a string may lie across any seam.
    MultiPatternSearch search;
    const std::string_view pattern = "abcdefghijkl";
    std::uint32_t id;
    ASSERT_TRUE(search.addGroup(&pattern, 1, &id));
    search.build();
    // Lengths that do not divide by four leave a few bytes after the last part.
    for (const std::size_t length : {1021, 1022, 1023, 1024}) {
        for (std::size_t at = 0; at + pattern.size() <= length; ++at) {
            std::string text(length, 'x');
            text.replace(at, pattern.size(), pattern);
            search.restart();
            search.scan(text, 0, text.size());
            ASSERT_TRUE(search.found(id)) << length << " " << at;
            text[at + pattern.size() - 1] = 'x';
            search.restart();
            search.scan(text, 0, text.size());
            ASSERT_FALSE(search.found(id)) << length << " " << at;
        }
    }
    // Nothing past the end is read: here the bytes after it would complete the string.
    for (std::size_t length = 1000; length < 1012; ++length) {
        std::string buffer(length, 'x');
        buffer.replace(length - 6, 6, "abcdef");
        buffer += "ghijkl";
        search.restart();
        search.scan(std::string_view(buffer).substr(0, length), 0, length);
        ASSERT_FALSE(search.found(id)) << length;
    }
}

TEST(MultiPatternSearch, RefusesStringsBeyondItsTableAndStartsAfreshWhenCleared)
{
    MultiPatternSearch search;
    std::string big(MultiPatternSearch::MaxTableEntries / 8, 'x');
    for (std::size_t i = 0; i < 8; ++i)
        big[i * 100] = static_cast<char>('a' + i); // nine classes: the table would be too large
    std::string_view views[] = {big, "abc"};
    std::uint32_t ids[2];
    EXPECT_FALSE(search.addGroup(views, 2, ids));
    EXPECT_TRUE(search.addGroup(views + 1, 1, ids + 1));
    search.build();
    search.scan("xxabcxx", 0, 7);
    EXPECT_TRUE(search.found(ids[1]));
    EXPECT_EQ(search.longest(), 3u);
    // A byte repeated is one class: two thousand of them fit easily.
    const std::string same(2000, 'q');
    const std::string_view sameView = same;
    std::uint32_t sameId;
    EXPECT_TRUE(search.addGroup(&sameView, 1, &sameId));

    // Cleared, it knows nothing of the bytes it was given before.
    search.clear();
    const std::string_view ab = "ab";
    ASSERT_TRUE(search.addGroup(&ab, 1, ids));
    search.build();
    search.scan("xb", 0, 2);
    EXPECT_FALSE(search.found(ids[0]));
    search.scan("xab", 0, 3);
    EXPECT_TRUE(search.found(ids[0]));
}

} // namespace
} // namespace tw
