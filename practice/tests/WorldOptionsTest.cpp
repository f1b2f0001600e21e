#include "DiagnosticCommands.h"
#include "Statistics.h"
#include "WorldOptions.h"

#include <gtest/gtest.h>

namespace tw::practice {
namespace {

TEST(WorldOptions, ReadsTheCommandLine)
{
    QString error;
    const auto defaults = WorldOptions::parse({"practice_world"}, &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->port, 4000);
    EXPECT_FALSE(defaults->seed);
    EXPECT_EQ(defaults->lineEnd(), QByteArray("\n\r"));
    EXPECT_EQ(defaults->hungerSeconds, 60);

    const auto all = WorldOptions::parse(
        {"practice_world", "--port", "0", "--seed", "42", "--crlf", "--hunger-seconds", "0"}, &error);
    ASSERT_TRUE(all) << error.toStdString();
    EXPECT_EQ(all->port, 0);
    EXPECT_EQ(all->seed, 42u);
    EXPECT_EQ(all->lineEnd(), QByteArray("\r\n"));
    EXPECT_EQ(all->hungerSeconds, 0);

    const auto tls = WorldOptions::parse({"practice_world", "--tls-port", "0", "--tls-cert", "c", "--tls-key", "k",
                                          "--tls-cert2", "c2", "--tls-key2", "k2"}, &error);
    ASSERT_TRUE(tls) << error.toStdString();
    EXPECT_EQ(tls->tlsCertificate2, "c2");
    EXPECT_EQ(tls->tlsKey2, "k2");
}

TEST(WorldOptions, RefusesBadValues)
{
    const QStringList bad[] = {
        {"practice_world", "--port", "65536"},
        {"practice_world", "--port", "-1"},
        {"practice_world", "--port", "x"},
        {"practice_world", "--port"},
        {"practice_world", "--seed", "4294967296"},
        {"practice_world", "--hunger-seconds", "abc"},
        {"practice_world", "--colour"},
        {"practice_world", "extra"},
        {"practice_world", "--tls-port", "0", "--tls-cert", "c", "--tls-key", "k", "--tls-cert2", "c2"},
        {"practice_world", "--tls-cert2", "c2", "--tls-key2", "k2"},
    };
    for (const QStringList& arguments : bad) {
        QString error;
        EXPECT_FALSE(WorldOptions::parse(arguments, &error)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(Statistics, ShowsEachValueWithTwoDigits)
{
    struct Case {
        std::array<int, 5> values;
        const char* line;
    };
    const Case cases[] = {
        {{18, 12, 9, 17, 15}, "Strength: 18 Intelligence: 12 Wisdom: 09 Dexterity: 17 Constitution: 15"},
        {{0, 24, 99, 10, 1}, "Strength: 00 Intelligence: 24 Wisdom: 99 Dexterity: 10 Constitution: 01"},
        {{-3, 100, 9, 9, 9}, "Strength: 00 Intelligence: 99 Wisdom: 09 Dexterity: 09 Constitution: 09"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Statistics{c.values}.line(), c.line);
}

TEST(DiagnosticCommands, DecodesHexPairs)
{
    EXPECT_EQ(DiagnosticCommands::decodeHex("41004200ff"), std::string("A\0B\0\xff", 5));
    EXPECT_EQ(DiagnosticCommands::decodeHex("1b 5b 31 6D"), std::string("\x1b[1m"));
    EXPECT_FALSE(DiagnosticCommands::decodeHex(""));
    EXPECT_FALSE(DiagnosticCommands::decodeHex("4"));
    EXPECT_FALSE(DiagnosticCommands::decodeHex("4 1"));
    EXPECT_FALSE(DiagnosticCommands::decodeHex("zz"));
}

} // namespace
} // namespace tw::practice
