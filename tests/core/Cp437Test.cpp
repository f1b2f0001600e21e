// The code page 437 characters the terminal draws for each byte.
#include "core/Cp437.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace tw {
namespace {

TEST(Cp437, EveryRangeOfBytesHasItsCharacters)
{
    struct Case {
        int byte;
        char16_t unicode;
    } cases[] = {{0x01, 0x263A}, {0x1B, 0x2190}, {0x1F, 0x25BC}, {' ', ' '},     {'A', 'A'},
                 {'~', '~'},     {0x7F, 0x2302}, {0x80, 0x00C7}, {0x9B, 0x00A2}, {0xB0, 0x2591},
                 {0xC9, 0x2554}, {0xCD, 0x2550}, {0xBB, 0x2557}, {0xBA, 0x2551}, {0xC8, 0x255A},
                 {0xBC, 0x255D}, {0xDB, 0x2588}, {0xE1, 0x00DF}, {0xFF, 0x00A0}};
    for (const Case& c : cases)
        EXPECT_EQ(int(cp437ToUnicode(std::uint8_t(c.byte))), int(c.unicode)) << std::hex << c.byte;
}

// Frames as games draw them: wherever two line characters stand side by side their arms meet
// with the same weight, and no arm points out of the frame.
TEST(Cp437, LineCharactersMeetTheirNeighbours)
{
    using Frame = std::array<std::array<std::uint8_t, 5>, 5>;
    const Frame frames[] = {
        {{{0xC9, 0xCD, 0xCB, 0xCD, 0xBB}, {0xBA, ' ', 0xBA, ' ', 0xBA}, {0xCC, 0xCD, 0xCE, 0xCD, 0xB9},
          {0xBA, ' ', 0xBA, ' ', 0xBA}, {0xC8, 0xCD, 0xCA, 0xCD, 0xBC}}}, // double
        {{{0xDA, 0xC4, 0xC2, 0xC4, 0xBF}, {0xB3, ' ', 0xB3, ' ', 0xB3}, {0xC3, 0xC4, 0xC5, 0xC4, 0xB4},
          {0xB3, ' ', 0xB3, ' ', 0xB3}, {0xC0, 0xC4, 0xC1, 0xC4, 0xD9}}}, // single
        {{{0xD6, 0xC4, 0xD2, 0xC4, 0xB7}, {0xBA, ' ', 0xBA, ' ', 0xBA}, {0xC7, 0xC4, 0xD7, 0xC4, 0xB6},
          {0xBA, ' ', 0xBA, ' ', 0xBA}, {0xD3, 0xC4, 0xD0, 0xC4, 0xBD}}}, // double down, single across
        {{{0xD5, 0xCD, 0xD1, 0xCD, 0xB8}, {0xB3, ' ', 0xB3, ' ', 0xB3}, {0xC6, 0xCD, 0xD8, 0xCD, 0xB5},
          {0xB3, ' ', 0xB3, ' ', 0xB3}, {0xD4, 0xCD, 0xCF, 0xCD, 0xBE}}}, // single down, double across
    };
    for (const Frame& f : frames) {
        const auto at = [&](int r, int c) -> BoxArms {
            return r < 0 || r > 4 || c < 0 || c > 4 ? BoxArms{} : cp437BoxArms(f[r][c]);
        };
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c) {
                const BoxArms a = at(r, c);
                const std::string where = std::to_string(int(f[r][c])) + " at " + std::to_string(r) + "," + std::to_string(c);
                EXPECT_EQ(a.any(), f[r][c] != ' ') << where;
                EXPECT_EQ(a.right, at(r, c + 1).left) << where;
                EXPECT_EQ(a.down, at(r + 1, c).up) << where;
                EXPECT_EQ(a.left, at(r, c - 1).right) << where;
                EXPECT_EQ(a.up, at(r - 1, c).down) << where;
            }
    }
    EXPECT_FALSE(cp437BoxArms(0xB1).any()); // a shade
    EXPECT_FALSE(cp437BoxArms('-').any());
}

} // namespace
} // namespace tw
