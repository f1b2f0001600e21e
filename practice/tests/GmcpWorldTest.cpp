// The practice world's GMCP with --modern: the offer, the client's hello, the vitals and their
// rules, room data before the room's text and in pieces, the say channel.
#include "Gmcp.h"
#include "PracticeServer.h"
#include "RawClient.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

namespace tw::practice {
namespace {

using test::inflateAll;
using test::RawClient;
using test::waitUntil;
using test::withoutColours;

const QByteArray IAC("\xff"), WILL("\xfb"), DO("\xfd"), DONT("\xfe"), SB("\xfa"), SE("\xf0"), GMCP("\xc9");

QByteArray clientMessage(const QByteArray& package, const QByteArray& json)
{
    return IAC + SB + GMCP + package + ' ' + json + IAC + SE;
}

struct Message {
    QJsonObject data;
    qsizetype from = 0, json = 0, to = 0; // where it starts, where its JSON starts, where it ends
};

// The world's messages of one package, in order. Its JSON is UTF-8, so no byte 255 inside.
std::vector<Message> messagesIn(const QByteArray& stream, const QByteArray& package)
{
    std::vector<Message> found;
    const QByteArray start = IAC + SB + GMCP + package + ' ';
    for (qsizetype at = stream.indexOf(start); at >= 0; at = stream.indexOf(start, at + 1)) {
        const qsizetype end = stream.indexOf(IAC + SE, at);
        if (end < 0)
            break;
        const QByteArray json = stream.mid(at + start.size(), end - at - start.size());
        found.push_back({QJsonDocument::fromJson(json).object(), at, at + start.size(), end + 2});
    }
    return found;
}

class GmcpWorld : public ::testing::Test {
protected:
    // A modern world and a player in it whose client sent `answer` right after the greeting;
    // returns the reply that puts him at the Town Gate.
    QByteArray enter(const QByteArray& answer, WorldOptions options = {})
    {
        options.port = 0;
        options.seed = 1;
        options.modern = true;
        if (options.hungerSeconds == 60)
            options.hungerSeconds = 0;
        server_ = std::make_unique<PracticeServer>(options);
        QString error;
        EXPECT_TRUE(server_->listen(&error)) << error.toStdString();
        client_ = std::make_unique<RawClient>(server_->port());
        greeting_ = client_->readUntilEnd("known? ");
        client_->sendRaw(answer + "Gemma\r\n");
        client_->readThrough("Choose a password: " + IAC + WILL + "\x01");
        client_->sendRaw("secret\r\n");
        client_->readUntilEnd("(y/n) ");
        return client_->command("y");
    }

    std::unique_ptr<PracticeServer> server_;
    std::unique_ptr<RawClient> client_;
    QByteArray greeting_;
};

TEST_F(GmcpWorld, IsSentOnlyOnceAgreedToAndTheClientsHelloIsReported)
{
    for (const QByteArray& answer : {QByteArray(), IAC + DONT + GMCP}) {
        enter(answer);
        EXPECT_TRUE(greeting_.contains(IAC + WILL + GMCP));
        client_->command("n");
        client_->command("say hello");
        EXPECT_TRUE(client_->command("telnet").contains("\n\rGMCP: off\n\r"));
        EXPECT_FALSE(client_->everything().contains(IAC + SB + GMCP)) << answer.toHex().toStdString();
    }
    // The list alone is longer than the other options' subnegotiations may be.
    client_->sendRaw(IAC + DO + GMCP + clientMessage("Core.Hello", R"({"client":"Tarnwick","version":"5.0"})")
                     + clientMessage("core.supports.set", R"(["Char 1","Char.Vitals 1","Room 1","Comm.Channel 1"])"));
    const QByteArray report = "\n\rGMCP: on; client Tarnwick 5.0; supports Char 1, Char.Vitals 1, Room 1, Comm.Channel 1\n\r";
    const QByteArray reply = client_->command("telnet");
    EXPECT_TRUE(reply.contains(report));
    EXPECT_EQ(messagesIn(reply, "Char.Vitals").size(), 1u);
    // Beyond the limit a message is dropped whole, though its first part is valid JSON; bad JSON
    // is ignored.
    client_->sendRaw(clientMessage("Core.Supports.Set", R"(["Char 1"])" + QByteArray(5000, ' '))
                     + clientMessage("Core.Hello", "{\"client\":"));
    EXPECT_TRUE(client_->command("telnet").contains(report));
}

TEST_F(GmcpWorld, VitalsComeBeforeEveryPromptAndFollowTheRules)
{
    struct Step {
        const char* command;
        const char* answer; // what the reply says
        int mp, mv;
    };
    const Step steps[] = {
        {"n", "South Road", 25, 99},
        {"n", "Town Square", 25, 98},
        {"ne", "Alas, you cannot go that way.", 25, 98},
        {"cast", "You wave your hands; sparks fly.", 20, 99},
        {"cast", "You wave", 15, 100},
        {"cast", "You wave", 10, 100},
        {"cast", "You wave", 5, 100},
        {"cast", "You wave", 0, 100},
        {"cast", "You are too tired to cast.", 0, 100},
        {"s", "South Road", 1, 99},
    };
    const auto check = [](const QByteArray& reply, int mp, int mv) {
        const auto vitals = messagesIn(reply, "Char.Vitals");
        ASSERT_EQ(vitals.size(), 1u);
        EXPECT_EQ(vitals[0].to, reply.size() - 2) << "right before the prompt";
        const QJsonObject expected{{"hp", 40}, {"maxhp", 40}, {"mp", QString::number(mp)}, {"maxmp", "25"},
                                   {"mv", QString::number(mv)}, {"maxmv", "100"}};
        EXPECT_EQ(vitals[0].data, expected);
    };
    check(enter(IAC + DO + GMCP), 25, 100);
    for (const Step& step : steps) {
        const QByteArray reply = client_->command(step.command);
        EXPECT_TRUE(withoutColours(reply).contains(step.answer)) << step.command;
        check(reply, step.mp, step.mv);
    }
}

TEST_F(GmcpWorld, HungerCostsHitPointsAndEatingRestoresThem)
{
    WorldOptions options;
    options.hungerSeconds = 1;
    enter(IAC + DO + GMCP, options);
    ASSERT_FALSE(client_->readThrough("You are hungry.", 4000).isEmpty());
    EXPECT_EQ(messagesIn(client_->readUntilEnd("> "), "Char.Vitals").front().data["hp"].toInt(), 39);
    EXPECT_EQ(messagesIn(client_->command("eat"), "Char.Vitals").back().data["hp"].toInt(), 40);
}

TEST_F(GmcpWorld, RoomInfoPrecedesTheRoomArrivesInTwoPiecesAndOnlyOnRealMoves)
{
    WorldOptions options;
    options.pieceMilliseconds = 200; // apart even on a busy machine
    struct Step {
        const char* command; // none: entering the world
        int num;             // 0: no Room.Info
        const char* exits;
    };
    const Step steps[] = {
        {nullptr, 1013, R"({"n":1010,"ne":1011})"},
        {"n", 1010, R"({"n":1005,"s":1013,"e":1011,"w":1009,"d":1020})"},
        {"sw", 0, ""},
        {"n", 1005, nullptr},
        {"e", 1006, nullptr},
        {"e", 1007, R"({"n":1003,"s":1012,"w":1006,"e":1008})"}, // the closed door's way too
        {"e", 0, ""},
        {"look", 1007, nullptr},
    };
    for (const Step& step : steps) {
        const QByteArray reply = step.command ? client_->command(step.command) : enter(IAC + DO + GMCP, options);
        const auto infos = messagesIn(reply, "Room.Info");
        const std::string command = step.command ? step.command : "login";
        ASSERT_EQ(infos.size(), step.num ? 1u : 0u) << command;
        if (!step.num)
            continue;
        const QJsonObject& info = infos[0].data;
        EXPECT_EQ(info["num"].toInt(), step.num);
        EXPECT_EQ(info["area"].toString(), "Town");
        EXPECT_TRUE(withoutColours(reply.mid(infos[0].to)).startsWith(info["name"].toString().toUtf8() + "\n\r"));
        if (step.exits)
            EXPECT_EQ(info["exits"].toObject(), QJsonDocument::fromJson(step.exits).object()) << command;
        const qsizetype base = client_->everything().size() - reply.size();
        const auto& ends = client_->readEnds();
        EXPECT_TRUE(std::any_of(ends.begin(), ends.end(), [&](qsizetype end) {
            return end > base + infos[0].json && end < base + infos[0].to - 2;
        })) << "cut inside its JSON: " << command;
    }
}

TEST_F(GmcpWorld, TwoMovesAnswerWholeAndInOrderCompressedOrNot)
{
    WorldOptions options;
    options.pieceMilliseconds = 200; // the client surely speaks while a message is half written
    const QByteArray compressStart = IAC + SB + "\x56" + IAC + SE;
    for (const bool compressed : {false, true}) {
        enter(IAC + DO + GMCP, options);
        if (compressed) {
            client_->sendRaw("n\r\n");
            client_->readThrough(IAC + SB + GMCP + "Room.Info");
            client_->sendRaw(IAC + DO + "\x56" + "e\r\n");
        } else {
            client_->sendRaw("n\r\ne\r\n");
        }
        const auto stream = [&] {
            const QByteArray& all = client_->everything();
            const qsizetype start = all.indexOf(compressStart);
            return start < 0 ? all : all.left(start) + inflateAll(all.mid(start + compressStart.size()));
        };
        ASSERT_TRUE(waitUntil([&] { return stream().contains("The Stables") && stream().endsWith("> "); }));
        if (compressed) {
            const QByteArray plain = client_->everything().left(client_->everything().indexOf(compressStart));
            EXPECT_GT(plain.lastIndexOf(IAC + SE), plain.lastIndexOf(IAC + SB + GMCP)) << "starts between messages";
        }
        const QByteArray all = stream();
        const auto infos = messagesIn(all, "Room.Info");
        ASSERT_GE(infos.size(), 2u);
        const Message& first = infos[infos.size() - 2];
        const Message& second = infos.back();
        EXPECT_EQ(first.data["num"].toInt(), 1010);
        EXPECT_EQ(second.data["num"].toInt(), 1011);
        const QByteArray between = withoutColours(all.mid(first.to, second.from - first.to));
        EXPECT_TRUE(between.startsWith("South Road\n\r")) << compressed;
        EXPECT_TRUE(between.endsWith("> "));
        EXPECT_EQ(between.count("> "), 1);
        EXPECT_TRUE(withoutColours(all.mid(second.to)).startsWith("The Stables\n\r"));
    }
}

TEST_F(GmcpWorld, SayAndTheGuardsAnswerGoOnTheSayChannel)
{
    enter(IAC + DO + GMCP);
    const auto lines = messagesIn(client_->command("say hello"), "Comm.Channel.Text");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].data, (QJsonObject{{"channel", "say"}, {"talker", "You"}, {"text", "\x1b[1;35mYou say 'hello'\x1b[0m"}}));
    EXPECT_EQ(lines[1].data["talker"].toString(), "The guard");
    EXPECT_EQ(withoutColours(lines[1].data["text"].toString().toUtf8()),
              "The guard tells you 'Greetings, traveller. Welcome to town.'");
}

TEST(GmcpMessage, IsFramedWithByte255Doubled)
{
    EXPECT_EQ(gmcp::message("Comm.Channel.Text", "\"\xff\""), "\xff\xfa\xc9" "Comm.Channel.Text \"\xff\xff\"\xff\xf0");
    EXPECT_EQ(gmcp::message("Core.Ping", ""), "\xff\xfa\xc9" "Core.Ping\xff\xf0");
}

} // namespace
} // namespace tw::practice
