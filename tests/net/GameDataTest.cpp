// The game's out-of-band messages: their package and JSON, and the records read from them.
#include "net/GameDataReader.h"
#include "net/GmcpMessage.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using nlohmann::json;

TEST(GmcpMessage, SplitsPackageAndJsonAndRefusesWhatCannotBeRead)
{
    const std::string deep(60000, '[');
    const auto nested = [](std::size_t depth) { return "A " + std::string(depth, '[') + std::string(depth, ']'); };
    const auto spaced = [](std::size_t depth) {
        std::string s = "A ";
        for (std::size_t i = 0; i < depth; ++i)
            s += "[ ";
        return s + std::string(depth, ']');
    };
    const struct {
        std::string payload;
        bool read;
        std::string package, value;
    } cases[] = {
        {R"(Char.Vitals {"hp":34,"maxhp":"40"})", true, "Char.Vitals", R"({"hp":34,"maxhp":"40"})"},
        {"Core.Goodbye", true, "Core.Goodbye", "null"},
        {"Core.Ping ", true, "Core.Ping", "null"},
        {"Room.Info\n[1, 2]", true, "Room.Info", "[1,2]"},
        {R"(A ["[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[\"["])", true, "A",
         R"(["[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[\"["])"},
        {nested(MaxGmcpNesting), true, "A", json::parse(nested(MaxGmcpNesting).substr(2)).dump()},
        {nested(MaxGmcpNesting + 1), false},
        {spaced(MaxGmcpNesting + 1), false},
        {"A " + deep, false},
        {R"(Room.Info {"num":1001,)", false},
        {"Comm.Channel.Text {\"text\":\"\xff\"}", false}, // not UTF-8
        {"", false},
        {R"( {"hp":1})", false},
    };
    for (const auto& c : cases) {
        const std::optional<GmcpMessage> m = parseGmcp(c.payload);
        ASSERT_EQ(m.has_value(), c.read) << c.payload.substr(0, 80);
        if (m) {
            EXPECT_EQ(m->package, c.package);
            EXPECT_EQ(m->value.dump(), c.value);
        }
    }
    const GmcpMessage m{"cHAR.vitals", nullptr};
    EXPECT_TRUE(m.is("Char.Vitals"));
    EXPECT_FALSE(m.is("Char.Vital"));
    EXPECT_FALSE(m.is("Char.Vitals2"));
}

// Each row is one message applied to the gauges the rows before left.
TEST(GameDataReader, VitalsMergeIntoTheGaugesTheGameKeepsSending)
{
    const struct {
        const char* json;
        std::vector<VitalGauge> gauges;
        bool changed;
    } rows[] = {
        {R"({"mv":"98","maxmv":"100","hp":34,"maxhp":40,"mp":"25","maxmp":"25"})",
         {{"HP", 34, 40}, {"MP", 25, 25}, {"MV", 98, 100}}, true},
        {R"({"hp":"-5"})", {{"HP", -5, 40}, {"MP", 25, 25}, {"MV", 98, 100}}, true},
        {R"({"hp":-5,"mp":"lots","maxmv":[1],"xp":10})", {{"HP", -5, 40}, {"MP", 25, 25}, {"MV", 98, 100}}, false},
        {R"({"Energy":7,"MaxEnergy":"9","hp":1e30,"maxhp":"99999999999999999999999"})",
         {{"HP", 1'000'000'000, 1'000'000'000}, {"MP", 25, 25}, {"MV", 98, 100}, {"ENERGY", 7, 9}}, true},
        {R"({"maxenergy":-3,"mp":12.7})", {{"HP", 1'000'000'000, 1'000'000'000}, {"MP", 12, 25}, {"MV", 98, 100}, {"ENERGY", 7, 0}}, true},
        {R"([1,2])", {{"HP", 1'000'000'000, 1'000'000'000}, {"MP", 12, 25}, {"MV", 98, 100}, {"ENERGY", 7, 0}}, false},
    };
    std::vector<VitalGauge> gauges;
    for (const auto& row : rows) {
        EXPECT_EQ(mergeVitals(gauges, json::parse(row.json)), row.changed) << row.json;
        EXPECT_EQ(gauges, row.gauges) << row.json;
    }
    // A lone conventional key is a gauge of unknown maximum; a game cannot add gauges without end.
    gauges.clear();
    json many = {{"sp", 3}};
    for (int i = 0; i < 100; ++i)
        many["g" + std::to_string(i)] = i, many["maxg" + std::to_string(i)] = 100;
    mergeVitals(gauges, many);
    EXPECT_EQ(gauges.size(), gamedata::MaxGauges);
    mergeVitals(gauges = {}, json{{"mv", 5}});
    EXPECT_EQ(gauges, (std::vector<VitalGauge>{{"MV", 5, 0}}));
}

TEST(GameDataReader, RoomInfoGivesTheRoomWithTheExitsItNames)
{
    const std::string longName = std::string(254, 'x') + "\xc3\xa9"; // the 255th character is two bytes
    const struct {
        json value;
        std::optional<GameRoom> room;
    } cases[] = {
        {json::parse(R"({"num":1001,"name":"The Town Gate","area":"Town","exits":{"n":1002,"e":"1003"}})"),
         GameRoom{1001, "The Town Gate", {{1, 1002}, {4, 1003}}}},
        {json::parse(R"({"num":"7","exits":{"NorthEast":8,"Down":9,"SW":10,"u":"11","in":12,"w":"x","s":-1,"up":13}})"),
         GameRoom{7, "", {{6, 8}, {7, 10}, {9, 11}, {10, 9}}}},
        {json::parse(R"({"num":7,"name":5,"exits":[1,2]})"), GameRoom{7, "", {}}},
        {json{{"num", 3}, {"name", longName + "yz"}}, GameRoom{3, longName, {}}},
        {json{{"num", 3}, {"name", std::string(255, 'x') + "\xc3\xa9"}}, GameRoom{3, std::string(255, 'x'), {}}},
        {json::parse(R"({"name":"Nowhere"})"), std::nullopt},
        {json::parse(R"({"num":-1})"), std::nullopt},
        {json::parse(R"({"num":"12a"})"), std::nullopt},
        {json::parse(R"({"num":"99999999999999999999"})"), std::nullopt},
        {json::parse(R"("Room")"), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readGameRoom(c.value), c.room) << c.value.dump();
}

TEST(GameDataReader, ChannelLinesKeepTheirPartsWithinBounds)
{
    const std::string text = "\x1b[1;32mTom says 'hello'\x1b[0m";
    EXPECT_EQ(readChannelText(json{{"channel", "say"}, {"talker", "Tom"}, {"text", text}}),
              (ChannelText{"say", "Tom", text}));
    EXPECT_EQ(readChannelText(json{{"talker", 3}, {"text", std::string(5000, 't')}}),
              (ChannelText{"", "", std::string(gamedata::MaxText, 't')}));
    EXPECT_EQ(readChannelText(json{{"channel", "say"}}), std::nullopt);
    EXPECT_EQ(readChannelText(json{{"text", 1}}), std::nullopt);
    EXPECT_EQ(readChannelText(json("text")), std::nullopt);
}

} // namespace
} // namespace tw
