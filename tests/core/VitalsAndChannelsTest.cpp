// How the game's vitals look as gauges and how its channel lines read.
#include "core/ChannelLine.h"
#include "core/VitalsLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace tw {
namespace {

TEST(VitalsLayout, ColourShareAndWordsOfEachGauge)
{
    const ColorRef red = rgb(190, 32, 32), blue = rgb(40, 84, 200), green = rgb(34, 136, 52),
                   neutral = rgb(120, 120, 128);
    struct Row {
        VitalGauge gauge;
        GaugeLook look;
    } rows[] = {
        {{"HP", 34, 40}, {"HP", "34/40", "HP 34 of 40", red, 0.85}},
        {{"MP", 25, 25}, {"MP", "25/25", "MP 25 of 25", blue, 1}},
        {{"MV", 0, 100}, {"MV", "0/100", "MV 0 of 100", green, 0}},
        {{"ENERGY", 3, 12}, {"ENERGY", "3/12", "ENERGY 3 of 12", neutral, 0.25}},
        {{"HP", 34, 0}, {"HP", "34", "HP 34", red, 0}},
        {{"HP", 50, 40}, {"HP", "50/40", "HP 50 of 40", red, 1}},
        {{"HP", -5, 40}, {"HP", "-5/40", "HP -5 of 40", red, 0}},
        {{"HP", LLONG_MAX, LLONG_MAX}, {"HP", std::to_string(LLONG_MAX) + "/" + std::to_string(LLONG_MAX),
                                        "HP " + std::to_string(LLONG_MAX) + " of " + std::to_string(LLONG_MAX), red, 1}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(gaugeLook(r.gauge), r.look) << r.gauge.name << " " << r.gauge.value << "/" << r.gauge.maximum;
}

TEST(VitalsLayout, FilledPixelsNeverMakeAPartGaugeLookEmptyOrFull)
{
    struct Row {
        double fraction;
        int width, filled;
    } rows[] = {
        {0.85, 100, 85}, {0, 100, 0}, {1, 100, 100}, {0.001, 100, 1}, {39.0 / 40, 20, 19},
        {0.5, 1, 1},     {0.7, 0, 0}, {0.5, -3, 0},  {-1, 100, 0},    {2, 100, 100},
    };
    for (const Row& r : rows)
        EXPECT_EQ(filledWidth(r.fraction, r.width), r.filled) << r.fraction << " of " << r.width;
}

TEST(VitalsLayout, GaugesShareTheRowWithinTheirBounds)
{
    using P = std::vector<GaugePlace>;
    struct Row {
        std::size_t count;
        int width;
        P places;
    } rows[] = {
        {3, 1000, P{{0, 200}, {208, 200}, {416, 200}}},
        {3, 500, P{{0, 161}, {169, 161}, {338, 161}}},
        {12, 500, P{{0, 90}, {98, 90}, {196, 90}, {294, 90}, {392, 90}}},
        {2, 50, P{{0, 50}}},
        {0, 500, P{}},
        {1, 0, P{}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(gaugePlaces(r.count, r.width), r.places) << r.count << " in " << r.width;
}

TEST(ChannelLine, ReadsChannelTalkerAndTextOnOneLineWithoutEscapes)
{
    struct Row {
        ChannelText line;
        const char* text;
    } rows[] = {
        {{"say", "Tom", "Tom says 'hello'"}, "[say] Tom: Tom says 'hello'"},
        {{"gossip", "Ann", "\x1b[1;32mgreen\x1b[0m and plain"}, "[gossip] Ann: green and plain"},
        {{"\x1b[31mooc", "Bob\x1b[0m", "two\r\nlines\r\n"}, "[ooc] Bob: two lines"},
        {{"say", "", "Someone says hi"}, "[say] Someone says hi"},
        {{"", "Tom", "hi"}, "Tom: hi"},
        {{"say", "Zo\xc3\xab", "caf\xc3\xa9"}, "[say] Zo\xc3\xab: caf\xc3\xa9"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(channelLineText(r.line), r.text) << r.text;
}

} // namespace
} // namespace tw
