#include "core/Session.h"
#include "support/FakeSocketPort.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

std::string statLine(const char* str, const char* rest = "Intelligence: 18 Wisdom: 18 Dexterity: 20 Constitution: 20")
{
    return std::string("Strength: ") + str + " " + rest + "\r\nKeep these statistics? (y/n) ";
}

struct Roller : ::testing::Test {
    test::RecordingHost host;
    test::FakeSocketPort socket;
    Session session{host, socket};
    StatRoller& roller = session.statRoller;
    int stops = 0;

    Roller()
    {
        roller.stopped = [this] { ++stops; };
        roller.RollBtnClick();
    }
    // What the session sent for one received block.
    std::string answerTo(const std::string& block)
    {
        host.sent.clear();
        session.MudSockRead(block);
        return host.sent;
    }
};

// The "Human" minimums: a set that reaches them stops rolling with a warning; one short of a
// minimum asks for another roll.
TEST_F(Roller, HumanMatchAndNearMiss)
{
    ASSERT_TRUE(roller.ComboBox1Change("Human"));
    // Short of the Strength minimum only; the total of 96 is reached.
    EXPECT_EQ(answerTo(statLine("19", "Intelligence: 19 Wisdom: 18 Dexterity: 20 Constitution: 20")), "n\r\n");
    EXPECT_TRUE(roller.rolling());
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(answerTo(statLine("20")), "");
    EXPECT_FALSE(roller.rolling());
    EXPECT_STREQ(roller.rollCaption(), "&Roll");
    EXPECT_EQ(stops, 1);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Warning");
    EXPECT_EQ(host.boxes[0].text, "Found a match!");
    EXPECT_EQ(answerTo(statLine("19")), ""); // no longer rolling
}

TEST_F(Roller, ConversionAndTotals)
{
    const std::string seventeens = "Intelligence: 17 Wisdom: 17 Dexterity: 17 Constitution: 17";
    struct Case {
        std::string block;
        bool reroll; // else nothing is sent and rolling goes on
    };
    const Case cases[] = {
        {statLine("17", seventeens.c_str()), true}, // sum 85, below the Default total 90
        {"Strength: 17 Intelligence: 18 Wisdom: 18 Dexterity: 18 Constitution: 18", true}, // 89
        {"Strength: 9 Intelligence: 10 Wisdom: 10 Dexterity: 20 Constitution: 20", false},
        {"Strength:  9 Intelligence: 10 Wisdom: 10 Dexterity: 20 Constitution: 20", true},
        // Only blanks before the digits: a sign, "$", a tab or a blank after them is no number.
        {"Strength: +9 Intelligence: 10 Wisdom: 10 Dexterity: 20 Constitution: 20", false},
        {"Strength: $F Intelligence: 10 Wisdom: 10 Dexterity: 20 Constitution: 20", false},
        {"Strength: \t9 Intelligence: 10 Wisdom: 10 Dexterity: 20 Constitution: 20", false},
        {"Strength: 20 Intelligence: 10 Wisdom: 10 Dexterity: 20 Constitution:   ", false},
        {"Strength: 20 Intelligence: 20", false}, // the rest has not arrived
        {std::string(200, '.') + statLine("30"), false}, // one block too long to look at
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(answerTo(cases[i].block), cases[i].reroll ? "n\r\n" : "") << i;
        EXPECT_TRUE(roller.rolling()) << i;
        EXPECT_EQ(roller.StatBuffer, "") << i;
    }
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(answerTo(statLine("23", seventeens.c_str())), ""); // sum 91
    EXPECT_FALSE(roller.rolling());
}

// A missing label reads the two characters at the label's length from the start of the
// collected text: here "20" for the absent "Wisdom:", so the set matches.
TEST_F(Roller, MissingLabelReadsAtItsLengthFromTheStart)
{
    EXPECT_EQ(answerTo("xxxxxxx20 Strength: 20 Intelligence: 20 Dexterity: 20 Constitution: 20"), "");
    EXPECT_FALSE(roller.rolling());
}

// Text without statistics is collected up to 200 characters, then dropped; a set arriving
// after a shorter piece is still found.
TEST_F(Roller, CollectsTextUntilTheStatisticsArrive)
{
    EXPECT_EQ(answerTo("Rolling your statistics...\r\n"), "");
    EXPECT_EQ(roller.StatBuffer, "Rolling your statistics...\r\n");
    EXPECT_EQ(answerTo(statLine("20")), "");
    EXPECT_FALSE(roller.rolling());
    EXPECT_EQ(roller.StatBuffer, "");

    roller.RollBtnClick();
    answerTo("Intelligence: 18 Wisdom: 18 Dexterity: 20 Constitution: 20");
    EXPECT_EQ(roller.StatBuffer, "Intelligence: 18 Wisdom: 18 Dexterity: 20 Constitution: 20");
    roller.StatBuffer.clear();
    // The collected text keeps its first 255 characters: labels beyond them are not seen.
    answerTo(std::string(100, '.'));
    EXPECT_EQ(answerTo(std::string(120, '.') + statLine("20")), "");
    EXPECT_TRUE(roller.rolling());
    EXPECT_EQ(roller.StatBuffer, "");
    answerTo(std::string(150, '.'));
    answerTo(std::string(60, '.'));
    EXPECT_EQ(roller.StatBuffer, "");
    roller.StatBuffer = "left over";
    roller.RollBtnClick();
    EXPECT_EQ(roller.StatBuffer, "left over");
    roller.RollBtnClick();
    EXPECT_EQ(roller.StatBuffer, ""); // emptied when rolling starts
}

// Every race but "Default" asks for a total equal to the sum of its five minimums.
TEST(StatRollerBoxes, RaceTotalsAreTheSumsOfTheirMinimums)
{
    for (const StatRoller::Race& race : StatRoller::races()) {
        const auto& m = race.minimums;
        const int sum = m[0] + m[1] + m[2] + m[3] + m[4];
        EXPECT_EQ(m[StatRoller::TOT], std::string(race.name) == "Default" ? 90 : sum) << race.name;
    }
}

TEST(StatRollerBoxes, RaceSelectionAndCorrections)
{
    test::RecordingHost host;
    StatRoller roller(host);
    EXPECT_FALSE(roller.ComboBox1Change("hum"));
    EXPECT_FALSE(roller.ComboBox1Change("human"));
    EXPECT_EQ(roller.boxes, (std::array<std::string, 6>{"10", "10", "10", "10", "10", "90"}));
    EXPECT_TRUE(roller.ComboBox1Change("Human"));
    EXPECT_EQ(roller.boxes, (std::array<std::string, 6>{"20", "18", "18", "20", "20", "96"}));
    EXPECT_TRUE(roller.ComboBox1Change("Default"));
    EXPECT_EQ(roller.boxes, (std::array<std::string, 6>{"10", "10", "10", "10", "10", "90"}));

    const std::pair<const char*, const char*> stat[] = {
        {"3", "5"}, {"45", "30"}, {"x", "17"}, {"", "17"}, {"5", "5"}, {"30", "30"}, {"12", "12"}};
    for (const auto& [in, out] : stat)
        EXPECT_EQ(StatRoller::StatExit(in), out) << in;
    const std::pair<const char*, const char*> total[] = {
        {"250", "200"}, {"-1", "0"}, {"x", "85"}, {"0", "0"}, {"200", "200"}};
    for (const auto& [in, out] : total)
        EXPECT_EQ(StatRoller::ETOTExit(in), out) << in;
    roller.boxes[StatRoller::DEX] = "3";
    roller.boxes[StatRoller::TOT] = "3";
    roller.exitBox(StatRoller::DEX);
    roller.exitBox(StatRoller::TOT);
    EXPECT_EQ(roller.boxes[StatRoller::DEX], "5");
    EXPECT_EQ(roller.boxes[StatRoller::TOT], "3");
}

// Each race of the race box, in its order, sets the five minimums and the total.
TEST(StatRollerBoxes, EveryRaceSetsItsMinimums)
{
    const std::pair<const char*, StatRoller::Values> table[] = {
        {"Default", {10, 10, 10, 10, 10, 90}},   {"Human", {20, 18, 18, 20, 20, 96}},
        {"Dwarf", {19, 18, 18, 16, 21, 92}},     {"Elf", {18, 21, 18, 20, 17, 94}},
        {"Grey-Elf", {17, 20, 20, 20, 16, 93}},  {"Dark-Elf", {18, 20, 18, 21, 17, 94}},
        {"Centaur", {20, 17, 18, 18, 19, 92}},   {"Troll", {21, 16, 17, 18, 20, 92}},
        {"Giant", {21, 16, 17, 18, 21, 93}},     {"Gnome", {17, 19, 21, 18, 18, 93}},
        {"Draconian", {21, 20, 18, 18, 19, 96}}, {"Ethereal", {17, 20, 19, 20, 18, 94}},
        {"Changeling", {17, 20, 20, 21, 15, 93}}, {"Illithid", {16, 23, 20, 18, 16, 93}},
    };
    test::RecordingHost host;
    StatRoller roller(host);
    ASSERT_EQ(StatRoller::races().size(), std::size(table));
    for (std::size_t i = 0; i < std::size(table); ++i) {
        const auto& [name, minimums] = table[i];
        EXPECT_STREQ(StatRoller::races()[i].name, name);
        ASSERT_TRUE(roller.ComboBox1Change(name)) << name;
        for (std::size_t b = 0; b < StatRoller::BoxCount; ++b)
            EXPECT_EQ(roller.boxes[b], std::to_string(minimums[b])) << name << " box " << b;
    }
}

} // namespace
} // namespace tw
