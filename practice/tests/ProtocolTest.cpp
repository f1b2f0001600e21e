// The practice world's protocol, through raw sockets against a server in this process.
#include "PracticeServer.h"
#include "RawClient.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace tw::practice {
namespace {

using test::firstLine;
using test::RawClient;
using test::waitUntil;
using test::withoutColours;

const QByteArray kFirstRollSeed1 = "Strength: 15 Intelligence: 13 Wisdom: 24 Dexterity: 14 Constitution: 19";
const QByteArray kSecondRollSeed1 = "Strength: 12 Intelligence: 15 Wisdom: 18 Dexterity: 16 Constitution: 20";

class ProtocolTest : public ::testing::Test {
protected:
    void start(WorldOptions options = {})
    {
        options.port = 0;
        if (!options.seed)
            options.seed = 1;
        if (options.hungerSeconds == 60)
            options.hungerSeconds = 0;
        server_ = std::make_unique<PracticeServer>(options);
        QString error;
        ASSERT_TRUE(server_->listen(&error)) << error.toStdString();
    }

    std::unique_ptr<RawClient> connect()
    {
        auto client = std::make_unique<RawClient>(server_->port());
        EXPECT_TRUE(client->connected());
        return client;
    }

    std::unique_ptr<PracticeServer> server_;
};

TEST_F(ProtocolTest, LoginRollsStatisticsInTheExactFormUntilKept)
{
    start();
    auto client = connect();
    const QByteArray greeting = client->readUntilEnd("known? ");
    EXPECT_TRUE(greeting.contains("\x1b[")) << "the banner is coloured";
    EXPECT_TRUE(greeting.endsWith("By what name do you wish to be known? "));

    EXPECT_TRUE(client->command("a1").contains("A name is 2 to 12 letters"));

    const QByteArray first = client->command("bob");
    EXPECT_TRUE(first.startsWith("Welcome, Bob! Rolling your statistics...\n\r"));
    // The line stands alone, uncoloured, between line ends: what a stat roller reads.
    EXPECT_TRUE(first.contains("\n\r" + kFirstRollSeed1 + "\n\rKeep these statistics? (y/n) "));

    const QByteArray again = client->command("n");
    EXPECT_EQ(again, kSecondRollSeed1 + "\n\rKeep these statistics? (y/n) ");
    // A stat roller examines a block only when it has at most 255 characters.
    EXPECT_LE(again.size(), 255);

    EXPECT_TRUE(client->command("maybe").contains("Please answer y or n."));

    const QByteArray world = client->command("y");
    const QByteArray plain = withoutColours(world);
    EXPECT_TRUE(plain.contains("\n\rTown Gate\n\r"));
    EXPECT_TRUE(plain.contains("A town guard stands here"));
    EXPECT_TRUE(plain.contains("Exits: north northeast\n\r"));
    EXPECT_TRUE(world.endsWith("\n\r> "));
}

TEST_F(ProtocolTest, RollsFollowTheSeedAndStayInRange)
{
    start(WorldOptions{.seed = 1});
    auto one = connect();
    auto two = connect();
    one->readUntilEnd("known? ");
    two->readUntilEnd("known? ");
    // Every player meets the same rolls with the same seed, whoever connected first.
    EXPECT_TRUE(two->command("Two").contains(kFirstRollSeed1));
    EXPECT_TRUE(one->command("One").contains(kFirstRollSeed1));

    const QRegularExpression form("^Strength: (\\d\\d) Intelligence: (\\d\\d) Wisdom: (\\d\\d) "
                                  "Dexterity: (\\d\\d) Constitution: (\\d\\d)$",
                                  QRegularExpression::MultilineOption);
    for (int roll = 0; roll < 40; ++roll) {
        const QString reply = QString::fromLatin1(withoutColours(one->command("n")).replace("\n\r", "\n"));
        const auto match = form.match(reply);
        ASSERT_TRUE(match.hasMatch()) << reply.toStdString();
        for (int field = 1; field <= 5; ++field) {
            const int value = match.captured(field).toInt();
            EXPECT_GE(value, 9);
            EXPECT_LE(value, 24);
        }
    }
}

TEST_F(ProtocolTest, WalksTheTownMeetsTheDoorAndMissingExits)
{
    start();
    auto client = connect();
    client->logIn();

    struct Step {
        const char* command;
        const char* firstLine; // the room's title, or the refusal
    };
    const Step walk[] = {
        {"n", "South Road"},
        {"north", "Town Square"},
        {"ne", "Alas, you cannot go that way."},
        {"se", "The Stables"},
        {"E", "The Herb Garden"},
        {"n", "East Road"},
        {"e", "The door is closed."},
        {"open door", "You open the door."},
        {"east", "The Armoury"},
        {"w", "East Road"},
        {"close door", "You close the door."},
        {"e", "The door is closed."},
        {"n", "Base of the Old Tower"},
        {"u", "Top of the Tower Stairs"},
        {"up", "Alas, you cannot go that way."},
        {"w", "The Battlement Walk"},
        {"southeast", "The Bell Chamber"},
        {"nw", "The Battlement Walk"},
        {"e", "Top of the Tower Stairs"},
        {"d", "Base of the Old Tower"},
        {"sw", "Alas, you cannot go that way."},
    };
    for (const Step& step : walk) {
        const QByteArray reply = client->command(step.command);
        EXPECT_EQ(firstLine(reply), QByteArray(step.firstLine)) << step.command;
        EXPECT_TRUE(reply.endsWith("> ")) << step.command;
    }

    // Refusals are plain text, whole lines: an automapper compares them exactly.
    EXPECT_EQ(client->command("nw"), "Alas, you cannot go that way.\n\r> ");
    client->command("s");
    EXPECT_EQ(client->command("e"), "The door is closed.\n\r> ");

    const QByteArray exits = withoutColours(client->command("exits"));
    EXPECT_TRUE(exits.contains("east      - a closed door"));
    EXPECT_TRUE(exits.contains("north     - Base of the Old Tower"));
    EXPECT_TRUE(withoutColours(client->command("look")).contains("Exits: north south west east(closed)\n\r"));
}

TEST_F(ProtocolTest, EachPlayerHasADoorOfHisOwn)
{
    start();
    auto opener = connect();
    auto other = connect();
    opener->logIn("Opener");
    other->logIn("Other");
    for (const char* step : {"n", "n", "e", "e"}) {
        opener->command(step);
        other->command(step);
    }
    EXPECT_EQ(firstLine(opener->command("open door")), "You open the door.");
    EXPECT_EQ(firstLine(opener->command("e")), "The Armoury");
    EXPECT_EQ(firstLine(other->command("e")), "The door is closed.");
    EXPECT_EQ(firstLine(other->command("open door")), "You open the door.");
    EXPECT_EQ(firstLine(other->command("open door")), "The door is already open.");
}

TEST_F(ProtocolTest, NotesArePostedOneCommandPerLineAndListed)
{
    start();
    auto writer = connect();
    auto reader = connect();
    writer->logIn("Alice");
    reader->logIn("Bob");

    EXPECT_TRUE(reader->command("notes").contains("There are no notes on the board."));
    EXPECT_TRUE(writer->command("note send").contains("needs a recipient"));
    // What the client's message sender types, with its CR LF line ends.
    for (const char* line : {"note to Bob", "note subject Hi there", "note + first line", "note + ",
                             "note +   indented", "note send"})
        EXPECT_TRUE(writer->command(line).endsWith("> ")) << line;

    const QByteArray listed = withoutColours(reader->command("notes"));
    EXPECT_TRUE(listed.contains("Note 1 from Alice\n\rTo: Bob\n\rSubject: Hi there\n\r"
                                "  first line\n\r  \n\r    indented\n\r> "))
        << listed.toStdString();
    EXPECT_TRUE(writer->command("note send").contains("needs a recipient")) << "the draft is gone";
}

TEST_F(ProtocolTest, TheGuardAnswersInTheStartRoomOnly)
{
    start();
    auto client = connect();
    client->logIn();

    const QByteArray said = withoutColours(client->command("say hello"));
    EXPECT_TRUE(said.contains("You say 'hello'\n\r"));
    EXPECT_TRUE(said.contains("The guard tells you 'Greetings, traveller. Welcome to town.'\n\r"));

    const QRegularExpression tells("The guard tells you '[^']+'\n\r");
    EXPECT_TRUE(tells.match(QString::fromLatin1(withoutColours(client->command("talk guard")))).hasMatch());
    EXPECT_TRUE(tells.match(QString::fromLatin1(withoutColours(client->command("say where is the door")))).hasMatch());

    client->command("n");
    const QByteArray alone = withoutColours(client->command("say hello"));
    EXPECT_TRUE(alone.contains("You say 'hello'"));
    EXPECT_FALSE(alone.contains("The guard"));
    EXPECT_EQ(firstLine(client->command("talk guard")), "There is no guard here.");
    // Casting and out-of-band data belong to --modern.
    EXPECT_EQ(firstLine(client->command("cast")), "Huh? Type 'help' for the commands.");
    EXPECT_FALSE(client->everything().contains('\xff'));
}

TEST_F(ProtocolTest, LinesEndInLineFeedCarriageReturnUnlessAskedOtherwise)
{
    for (const bool crlf : {false, true}) {
        WorldOptions options;
        options.crlf = crlf;
        start(options);
        auto client = connect();
        client->logIn();
        client->command("look");
        client->command("help");
        client->command("flood 5");
        const QByteArray all = client->everything();
        const QByteArray wanted = crlf ? "\r\n" : "\n\r";
        const QByteArray other = crlf ? "\n\r" : "\r\n";
        EXPECT_GT(all.count(wanted), 30) << crlf;
        // LF CR LF CR would contain a CR LF in the middle; empty lines are doubled line ends.
        EXPECT_FALSE(QByteArray(all).replace(wanted, "|").contains(other.left(1))) << crlf;
        EXPECT_FALSE(QByteArray(all).replace(wanted, "|").contains(other.right(1))) << crlf;
    }
}

TEST_F(ProtocolTest, AcceptsEveryLineEndFromTheClient)
{
    start();
    auto client = connect();
    client->logIn();
    for (const QByteArray lineEnd : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r"), QByteArray("\n\r")}) {
        const QByteArray reply = client->command("n", lineEnd);
        EXPECT_EQ(firstLine(reply), "South Road") << lineEnd.toHex().toStdString();
        // One command, one answer: the second half of a pair is no empty command.
        EXPECT_EQ(reply.count("> "), 1) << lineEnd.toHex().toStdString();
        client->command("s", lineEnd);
    }
    // An empty line gets a prompt only.
    EXPECT_EQ(client->command(""), "> ");
}

TEST_F(ProtocolTest, FloodSendsTheAskedNumberOfColouredLines)
{
    start();
    auto client = connect();
    client->logIn();
    for (const int lines : {1, 1000, 200000}) {
        const QByteArray reply = client->command("flood " + QByteArray::number(lines));
        EXPECT_EQ(reply.count("Flood line "), lines);
        EXPECT_EQ(reply.count("\n\r"), lines);
        EXPECT_TRUE(reply.endsWith("\n\r> "));
        EXPECT_TRUE(reply.contains("\x1b[1;3"));
    }
    for (const char* bad : {"flood 0", "flood 200001", "flood", "flood ten", "flood -5"})
        EXPECT_EQ(firstLine(client->command(bad)), "Usage: flood N (1 to 200000 lines).") << bad;
}

TEST_F(ProtocolTest, DumpSendsTheRawBytes)
{
    start();
    auto client = connect();
    client->logIn();
    EXPECT_EQ(client->command("dump 41004200ff1b5b33316d0a0d"), QByteArray("A\0B\0\xff\x1b[31m\n\r> ", 14));
    EXPECT_EQ(client->command("dump ff fb 01"), QByteArray("\xff\xfb\x01> "));
    EXPECT_TRUE(client->command("dump xyz").startsWith("Usage: dump HEX"));
}

TEST_F(ProtocolTest, QuitSaysGoodbyeAndClosesTheConnection)
{
    start();
    auto client = connect();
    client->logIn("Carol");
    client->sendRaw("quit\r\nlook\r\n");
    EXPECT_TRUE(client->waitForDisconnect());
    EXPECT_TRUE(withoutColours(client->everything()).endsWith("Farewell, Carol. Come back soon!\n\r"));
    EXPECT_TRUE(waitUntil([this] { return server_->playerCount() == 0; }));

    auto early = connect();
    early->readUntilEnd("known? ");
    early->sendRaw("QUIT\r\n");
    EXPECT_TRUE(early->waitForDisconnect());
}

TEST_F(ProtocolTest, OverlongAndEndlessInputIsRefusedAndTheWorldGoesOn)
{
    start();
    auto client = connect();
    client->logIn();
    EXPECT_TRUE(client->command(QByteArray(10000, 'x')).contains("That line is too long"));
    EXPECT_EQ(firstLine(client->command("n")), "South Road");

    // A client sending megabytes without a line end neither stalls nor burdens the others.
    auto endless = connect();
    endless->readUntilEnd("known? ");
    for (int i = 0; i < 64; ++i)
        endless->sendRaw(QByteArray(16 * 1024, 'z'));
    EXPECT_EQ(firstLine(client->command("s")), "Town Gate");
    EXPECT_TRUE(endless->command("").contains("That line is too long"));
}

TEST_F(ProtocolTest, HungerComesPeriodicallyAndEatingAnswers)
{
    WorldOptions options;
    options.hungerSeconds = 1;
    start(options);
    auto client = connect();
    client->logIn();
    EXPECT_FALSE(client->readThrough("You are hungry.", 4000).isEmpty());
    EXPECT_TRUE(client->readUntilEnd("\n\r> ").endsWith("\x1b[0m\n\r> "));
    EXPECT_TRUE(client->command("eat").contains("You are no longer hungry."));
}

TEST(PracticeWorldProgram, AnnouncesTheFreePortItListensOn)
{
    QProcess world;
    world.start(PRACTICE_WORLD_BIN, {"--port", "0", "--seed", "1", "--hunger-seconds", "0"});
    ASSERT_TRUE(waitUntil([&] { return world.canReadLine(); }, 10000));
    const QByteArray line = world.readLine();
    const QRegularExpression form("^PORT (\\d+)\n$");
    const auto match = form.match(QString::fromLatin1(line));
    ASSERT_TRUE(match.hasMatch()) << line.toStdString();

    RawClient client(static_cast<quint16>(match.captured(1).toUInt()));
    EXPECT_TRUE(client.connected());
    client.readUntilEnd("known? ");
    EXPECT_TRUE(client.command("Dora").contains(kFirstRollSeed1));
    world.kill();
    world.waitForFinished(5000);
    EXPECT_TRUE(world.readAllStandardOutput().isEmpty()) << "only the one line on stdout";

    QProcess refused;
    refused.start(PRACTICE_WORLD_BIN, {"--port", "nope"});
    ASSERT_TRUE(refused.waitForFinished(10000));
    EXPECT_EQ(refused.exitCode(), 2);
}

} // namespace
} // namespace tw::practice
