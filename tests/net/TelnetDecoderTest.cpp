#include "net/Inflater.h"
#include "net/TelnetDecoder.h"

#include <gtest/gtest.h>
#include "support/Deflate.h"
#include "support/ResidentSize.h"

namespace tw {
namespace {

using test::deflateAll;

using namespace std::string_literals;

struct Decoded {
    std::string text, replies;
    std::vector<std::size_t> promptEnds; // text length at each prompt end
    bool echoes = false;
    bool broken = false;
    std::vector<std::string> gmcp; // the game data messages, in order
};

// Decodes the pieces one after another, as reads arrive.
Decoded decodeAll(TelnetDecoder& d, const std::vector<std::string>& pieces)
{
    Decoded out;
    for (const std::string& piece : pieces) {
        std::string_view rest = piece;
        while (!rest.empty()) {
            const auto r = d.decode(rest, out.text);
            rest.remove_prefix(r.consumed);
            if (r.stop == TelnetDecoder::Stop::PromptEnd)
                out.promptEnds.push_back(out.text.size());
            out.broken = out.broken || r.stop == TelnetDecoder::Stop::Broken;
            if (r.stop == TelnetDecoder::Stop::Gmcp)
                out.gmcp.push_back(d.takeGmcp());
        }
    }
    out.replies = d.takeReplies();
    out.echoes = d.serverEchoes();
    return out;
}

const std::string IAC = "\xff", WILL = "\xfb", WONT = "\xfc", DO = "\xfd", DONT = "\xfe",
                  SB = "\xfa", SE = "\xf0";

struct Case {
    const char* name;
    std::string in, text, replies;
    bool echoes = false;
    bool broken = false;
};

// Every case gives the same result whole and split into two reads at any byte.
TEST(TelnetDecoder, TakesOutCommandsAndAnswersOnceWhereverTheReadsSplit)
{
    const Case cases[] = {
        {"doubled IAC is a data byte", "a" + IAC + IAC + "b", "a\xff" "b", ""},
        {"agrees to end of record once", IAC + WILL + "\x19" + "x" + IAC + WILL + "\x19", "x", IAC + DO + "\x19"},
        {"refuses an unknown option once", IAC + WILL + "\xc8" + IAC + WILL + "\xc8" + IAC + DO + "\xc8" + IAC + DO + "\xc8",
         "", IAC + DONT + "\xc8" + IAC + WONT + "\xc8"},
        {"server echo on", "Password: " + IAC + WILL + "\x01", "Password: ", IAC + DO + "\x01", true},
        {"server echo on and off", IAC + WILL + "\x01" + IAC + WILL + "\x01" + IAC + WONT + "\x01" + "\r\n",
         "\r\n", IAC + DO + "\x01" + IAC + DONT + "\x01"},
        {"WONT for an option that is off is ignored", IAC + WONT + "\x01" + IAC + DONT + "\x1f", "", ""},
        {"an option switched off can be agreed again", IAC + DO + "\x03" + IAC + DONT + "\x03" + IAC + DO + "\x03",
         "", IAC + WILL + "\x03" + IAC + WONT + "\x03" + IAC + WILL + "\x03"},
        {"window size on agreement", IAC + DO + "\x1f", "", IAC + WILL + "\x1f" + IAC + SB + "\x1f" + "\x00\x50\x00\x18"s + IAC + SE},
        {"terminal type", IAC + DO + "\x18" + IAC + SB + "\x18\x01" + IAC + SE,
         "", IAC + WILL + "\x18" + IAC + SB + "\x18\x00"s + "TARNWICK" + IAC + SE},
        {"terminal type unasked is not told", IAC + SB + "\x18\x01" + IAC + SE, "", ""},
        {"CR NUL is a carriage return", "a\r\0b\0"s, "a\rb\0"s, ""},
        {"other commands vanish", "a" + IAC + "\xf1" + IAC + "\xf2" + "b", "ab", ""},
        {"subnegotiation is dropped", "a" + IAC + SB + "\x45x" + IAC + IAC + "y" + IAC + SE + "b", "ab", ""},
        {"broken subnegotiation ends at the next command", "a" + IAC + SB + "\x45x" + IAC + WILL + "\x19" + "b",
         "ab", IAC + DO + "\x19", false, true},
        {"an unclosed subnegotiation gives the text back past its limit",
         "a" + IAC + SB + "\x18\x01" + std::string(TelnetDecoder::MaxSubnegotiation - 2, 's') + "text" + IAC + SE,
         "atext", "", false, true},
        {"a doubled IAC past the limit is a data byte again",
         IAC + SB + std::string(TelnetDecoder::MaxSubnegotiation, 's') + IAC + IAC + "b", "\xff" "b", "", false, true},
        {"a subnegotiation of the largest size is no fault", IAC + SB + std::string(TelnetDecoder::MaxSubnegotiation, 's') + IAC + SE + "b",
         "b", ""},
    };
    for (const Case& c : cases) {
        for (std::size_t split = 0; split <= c.in.size(); ++split) {
            TelnetDecoder d;
            const Decoded got = decodeAll(d, {c.in.substr(0, split), c.in.substr(split)});
            EXPECT_EQ(got.text, c.text) << c.name << " split at " << split;
            EXPECT_EQ(got.replies, c.replies) << c.name << " split at " << split;
            EXPECT_EQ(got.echoes, c.echoes) << c.name;
            EXPECT_EQ(got.broken, c.broken) << c.name << " split at " << split;
        }
    }
}

// Game data (option 201): agreed only when the game offers it, greeted once, and its messages
// handed out whole wherever the reads split them.
TEST(TelnetDecoder, GameDataIsAgreedGreetedAndHandedOutWhole)
{
    const std::string WillGmcp = IAC + WILL + "\xc9", Greeting = IAC + DO + "\xc9" + IAC + SB + "\xc9" +
        R"(Core.Hello {"client":"Tarnwick","version":"5.0"})" + IAC + SE + IAC + SB + "\xc9" +
        R"(Core.Supports.Set ["Char 1","Char.Vitals 1","Room 1","Comm.Channel 1"])" + IAC + SE;
    const auto message = [](const std::string& payload) { return IAC + SB + "\xc9" + payload + IAC + SE; };
    const std::string largest(TelnetDecoder::MaxGmcpSubnegotiation - 1, 'j');
    struct GmcpCase {
        const char* name;
        std::string in, text, replies;
        std::vector<std::string> gmcp;
        bool broken = false;
    } cases[] = {
        {"greeted once, messages in order with IAC IAC a data byte",
         "a" + WillGmcp + "b" + message("Char.Vitals {\"hp\":1}") + WillGmcp + message("X \"" + IAC + IAC + "\"") + "c",
         "abc", Greeting, {"Char.Vitals {\"hp\":1}", "X \"\xff\""}},
        {"never offered by us", IAC + DO + "\xc9" + IAC + DO + "\xc9", "", IAC + WONT + "\xc9"},
        {"not handed out before it is agreed", message("Char.Vitals {}") + "t", "t", ""},
        {"switched off again", WillGmcp + IAC + WONT + "\xc9" + message("Room.Info {}") + "t", "t",
         Greeting + IAC + DONT + "\xc9"},
        {"a message of the largest size", WillGmcp + message(largest) + "t", "t", Greeting, {largest}},
        {"a longer one is dropped and the text after it shows", WillGmcp + message(largest + "xy") + "after",
         "xyafter", Greeting, {}, true},
    };
    for (const GmcpCase& c : cases) {
        // Whole, split in two anywhere, and a byte at a time.
        std::vector<std::vector<std::string>> readings;
        for (std::size_t split = 0; split <= c.in.size(); split += 1 + split / 64)
            readings.push_back({c.in.substr(0, split), c.in.substr(split)});
        if (c.in.size() < 1000) {
            readings.emplace_back();
            for (const char byte : c.in)
                readings.back().emplace_back(1, byte);
        }
        for (const auto& reads : readings) {
            TelnetDecoder d;
            const Decoded got = decodeAll(d, reads);
            EXPECT_EQ(got.text, c.text) << c.name;
            EXPECT_EQ(got.replies, c.replies) << c.name;
            EXPECT_EQ(got.gmcp, c.gmcp) << c.name << " in " << reads.size() << " reads";
            EXPECT_EQ(got.broken, c.broken) << c.name;
        }
    }
}

TEST(TelnetDecoder, PromptEndsAndCompressionStartStopTheRead)
{
    TelnetDecoder d;
    std::string text;
    const std::string in = "> " + IAC + "\xf9" + "hp 10> " + IAC + "\xef" + "more";
    auto r = d.decode(in, text);
    EXPECT_EQ(r.stop, TelnetDecoder::Stop::PromptEnd);
    EXPECT_EQ(text, "> ");
    r = d.decode(std::string_view(in).substr(r.consumed), text);
    EXPECT_EQ(r.stop, TelnetDecoder::Stop::PromptEnd);
    EXPECT_EQ(text, "> hp 10> ");

    // Compression starts only when it was agreed; the read stops right after IAC SE.
    const std::string start = IAC + SB + "\x56" + IAC + SE + "ZZ";
    text.clear();
    r = d.decode(start, text);
    EXPECT_EQ(r.stop, TelnetDecoder::Stop::End);
    d.decode(IAC + WILL + "\x56", text);
    EXPECT_EQ(d.takeReplies(), IAC + DO + "\x56");
    r = d.decode(start, text);
    EXPECT_EQ(r.stop, TelnetDecoder::Stop::Compress);
    EXPECT_EQ(r.consumed, start.size() - 2);
}

TEST(TelnetDecoder, WindowSizeFollowsResizesAndHostileInputStaysBounded)
{
    TelnetDecoder d;
    std::string text;
    d.setWindowSize(100, 40); // not agreed yet: nothing is said
    EXPECT_EQ(d.takeReplies(), "");
    d.decode(IAC + DO + "\x1f", text);
    EXPECT_EQ(d.takeReplies(), IAC + WILL + "\x1f" + IAC + SB + "\x1f" + "\x00\x64\x00\x28"s + IAC + SE);
    d.setWindowSize(255, 40);
    EXPECT_EQ(d.takeReplies(), IAC + SB + "\x1f" + "\x00\xff\xff\x00\x28"s + IAC + SE);
    d.setWindowSize(255, 40);
    EXPECT_EQ(d.takeReplies(), "");
    d.setWindowSize(70000, 40); // beyond what the protocol counts: its largest
    EXPECT_EQ(d.takeReplies(), IAC + SB + "\x1f" + "\xff\xff\xff\xff\x00\x28"s + IAC + SE);

    // A megabyte without the end of its subnegotiation: the text past the limit is shown.
    const std::string flood(1 << 20, 'x');
    const Decoded unclosed = decodeAll(d, {IAC + SB + "\x18", flood, IAC + SE + "after"});
    EXPECT_EQ(unclosed.text, flood.substr(TelnetDecoder::MaxSubnegotiation - 1) + "after");
    EXPECT_TRUE(unclosed.broken);

    // A negotiation flood over every option is answered at most once per option and side.
    std::string storm;
    for (int round = 0; round < 20; ++round)
        for (int o = 0; o < 256; ++o)
            for (const std::string& verb : {WILL, DO})
                storm += IAC + verb + char(o);
    d.reset();
    d.decode(storm, text);
    // (Agreeing to game data brings the client's two greetings once, about 130 bytes.)
    EXPECT_LE(d.takeReplies().size(), 2u * 256 * 3 + 64 + 256);
    // A new connection starts afresh: nothing left to send, refusals given again, the server
    // echoing no more.
    d.decode(IAC + DO + "\xc8" + IAC + WILL + "\x01" + IAC + SB, text);
    EXPECT_TRUE(d.serverEchoes());
    d.reset();
    EXPECT_FALSE(d.serverEchoes());
    EXPECT_EQ(d.takeReplies(), "");
    text.clear();
    d.decode("text", text); // no longer inside the subnegotiation
    EXPECT_EQ(text, "text");
    d.decode(IAC + DO + "\xc8" + IAC + WILL + "\xc8", text);
    EXPECT_EQ(d.takeReplies(), IAC + WONT + "\xc8" + IAC + DONT + "\xc8");
    EXPECT_EQ(telnet::escapeIac("a\xff" "b"), "a\xff\xff" "b");
}

TEST(Inflater, InflatesInBoundedPiecesAndReportsEndAndCorruption)
{
    // A bomb: ten megabytes of zeros in a few kilobytes, inflated a piece at a time.
    const std::string bomb = deflateAll(std::string(10 << 20, '\0')) + "plain";
    Inflater inf;
    ASSERT_TRUE(inf.start());
    std::string_view rest = bomb;
    std::size_t total = 0;
    Inflater::Result r;
    do {
        std::string piece;
        r = inf.inflate(rest, piece, 4096);
        ASSERT_LE(piece.size(), 4096u);
        total += piece.size();
        rest.remove_prefix(r.consumed);
    } while (r.status == Inflater::Status::More);
    EXPECT_EQ(r.status, Inflater::Status::End);
    EXPECT_EQ(total, std::size_t(10 << 20));
    EXPECT_EQ(rest, "plain"); // what follows the stream is left for the caller
    EXPECT_FALSE(inf.active());

    ASSERT_TRUE(inf.start());
    std::string out;
    r = inf.inflate("\x78\x9c garbage that is no deflate stream", out, 4096);
    EXPECT_EQ(r.status, Inflater::Status::Error);
    EXPECT_FALSE(inf.errorText().empty());
    EXPECT_FALSE(inf.active());
}

// A stream gives back its memory however it ends: at its end, at corrupt data, or when the
// connection closes in the middle of it (stopped, or a new stream started).
TEST(Inflater, EveryStreamGivesBackItsMemory)
{
    const std::string stream = deflateAll(std::string(100000, 'x'));
    Inflater inf;
    const std::size_t before = test::heapBytesInUse();
    for (int round = 0; round < 100; ++round) {
        std::string out;
        ASSERT_TRUE(inf.start());
        ASSERT_EQ(inf.inflate(stream, out, 1 << 20).status, Inflater::Status::End);
        ASSERT_TRUE(inf.start());
        ASSERT_EQ(inf.inflate("\x78\x9c\xff garbage", out, 4096).status, Inflater::Status::Error);
        ASSERT_TRUE(inf.start());
        ASSERT_EQ(inf.inflate(stream, out, 4096).status, Inflater::Status::More);
        inf.stop();
        ASSERT_TRUE(inf.start());
        ASSERT_EQ(inf.inflate(stream, out, 4096).status, Inflater::Status::More);
    }
    inf.stop();
    EXPECT_LT(test::heapBytesInUse(), before + test::MiB / 4);
}

} // namespace
} // namespace tw
