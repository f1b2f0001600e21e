// The practice world with --modern: telnet negotiation, the hidden password, end of record,
// window size, terminal type and compression, through a raw socket.
#include "PracticeServer.h"
#include "RawClient.h"

#include <gtest/gtest.h>

namespace tw::practice {
namespace {

using test::inflateAll;
using test::RawClient;
using test::waitUntil;

const QByteArray IAC("\xff"), WILL("\xfb"), WONT("\xfc"), DO("\xfd"), SB("\xfa"), SE("\xf0"), EOR("\xef");

TEST(ModernWorld, NegotiatesHidesThePasswordReportsAndCompresses)
{
    WorldOptions options;
    options.port = 0;
    options.seed = 1;
    options.hungerSeconds = 0;
    options.modern = true;
    PracticeServer server(options);
    QString error;
    ASSERT_TRUE(server.listen(&error)) << error.toStdString();
    RawClient client(server.port());

    const QByteArray greeting = client.readUntilEnd("known? ");
    EXPECT_TRUE(greeting.startsWith(IAC + WILL + "\x19" + IAC + DO + "\x1f" + IAC + DO + "\x18" + IAC + WILL + "\x56"));
    EXPECT_TRUE(greeting.contains("Connecting...\n\x1b")); // a bare line feed
    // Before the client agrees to end of record, a prompt is not marked.
    client.sendRaw(IAC + DO + "\x19" + IAC + WILL + "\x1f" + IAC + SB + "\x1f" + QByteArray("\x00\x64\x00\x1e", 4) +
                   IAC + SE + IAC + WILL + "\x18");
    client.readThrough(IAC + SB + "\x18\x01" + IAC + SE);
    client.sendRaw(IAC + SB + "\x18" + QByteArray(1, '\0') + "TARNWICK" + IAC + SE + "bob\r\n");
    EXPECT_TRUE(client.readThrough("Choose a password: ").endsWith("Choose a password: "));
    client.readThrough(IAC + WILL + "\x01" + IAC + EOR);
    client.sendRaw("s\xff\xff" "cret\r\n");
    EXPECT_TRUE(client.readThrough("Keep these statistics? (y/n) ").startsWith(IAC + WONT + "\x01"));
    client.sendRaw("y\r\n");
    client.readThrough("> " + IAC + EOR);
    client.sendRaw("telnet\r\n");
    const QByteArray report = client.readThrough("> ");
    EXPECT_TRUE(report.contains("Window: 100 x 30")) << report.toStdString();
    EXPECT_TRUE(report.contains("Terminal: TARNWICK"));
    EXPECT_TRUE(report.contains("Compression: off"));

    client.sendRaw(IAC + DO + "\x56" + "telnet\r\n");
    const QByteArray start = IAC + SB + "\x56" + IAC + SE;
    client.readThrough(start);
    ASSERT_TRUE(waitUntil([&] { return inflateAll(client.everything().mid(client.everything().indexOf(start) + start.size())).contains("> "); }));
    const QByteArray inflated = inflateAll(client.everything().mid(client.everything().indexOf(start) + start.size()));
    EXPECT_TRUE(inflated.contains("Compression: on")) << inflated.toStdString();
    EXPECT_TRUE(inflated.endsWith("> " + IAC + EOR));
}

} // namespace
} // namespace tw::practice
