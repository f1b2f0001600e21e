// Options files assembled byte by byte from the stored layout: the reader must load every
// field, and the writer must produce the very same bytes.
#include "settings/HandBuiltBytes.h"
#include "settings/OptionsFileReader.h"
#include "settings/OptionsFileWriter.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using test::HandBuiltBytes;

std::string hotkeyText(int i) { return i == 23 ? std::string(255, 'z') : "key" + std::to_string(i + 1); }
bool hotkeyEnter(int i) { return i % 2 == 0; }
bool hotkeyAdd(int i) { return i % 3 == 0; }
std::string keypadText(int i) { return "pad" + std::to_string(i); }
std::uint32_t paletteEntry(int i) { return 0x00010203u * std::uint32_t(i + 1) ^ 0x00800000u; }

// The parts after the settings, which both formats share except for the flag items.
void appendLists(HandBuiltBytes& b, bool previousFormat)
{
    b.word(2);
    b.stringItem("Dark Realm").stringItem("dark.example.org").stringItem("4000");
    b.stringItem("Local").stringItem("127.0.0.1").stringItem("telnet");
    for (int i = 0; i < 24; ++i) {
        b.stringItem(hotkeyText(i));
        if (previousFormat) {
            // The old reader took one byte after the flag word whatever the word said.
            b.word(std::uint16_t(i * 7)).byte(hotkeyEnter(i));
            b.word(0).byte(hotkeyAdd(i));
        } else {
            b.flagItem(hotkeyEnter(i)).flagItem(hotkeyAdd(i));
        }
    }
    for (int i = 0; i < 11; ++i)
        b.stringItem(keypadText(i));
    b.word(2);
    b.stringItem("gg").stringItem("get gold");
    b.stringItem("kk").stringItem("kill kobold");
    b.word(3);
    b.stringItem("hungry").stringItem("eat bread").stringItem("100000");
    b.stringItem("tells you").stringItem("ding.wav").stringItem("11");
    b.stringItem("off").stringItem("look").stringItem("0112034");
    for (int i = 0; i < 16; ++i)
        b.dword(paletteEntry(i));
}

void expectSharedLists(const OptionsData& d)
{
    ASSERT_EQ(d.muds.size(), 2u);
    EXPECT_EQ(d.muds[0], (MudEntry{"Dark Realm", "dark.example.org", "4000"}));
    EXPECT_EQ(d.muds[1], (MudEntry{"Local", "127.0.0.1", "telnet"}));
    EXPECT_EQ(d.muds[0].line(), "Dark Realm --> dark.example.org:4000");
    for (int i = 0; i < 24; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d.hotkeys[std::size_t(i)].text, hotkeyText(i));
        EXPECT_EQ(d.hotkeys[std::size_t(i)].enter, hotkeyEnter(i));
        EXPECT_EQ(d.hotkeys[std::size_t(i)].add, hotkeyAdd(i));
    }
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(d.keypad[std::size_t(i)], keypadText(i));
    ASSERT_EQ(d.aliases.size(), 2u);
    EXPECT_EQ(d.aliases[0], (AliasEntry{"gg", "get gold"}));
    EXPECT_EQ(d.aliases[1], (AliasEntry{"kk", "kill kobold"}));
    ASSERT_EQ(d.triggers.size(), 3u);
    EXPECT_EQ(d.triggers[0], (TriggerEntry{"hungry", "eat bread", "100000"}));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(d.palette.colors[std::size_t(i)], paletteEntry(i));
}

TEST(OptionsGolden, CurrentFormatLoadsEveryFieldAndIsWrittenBackByteForByte)
{
    HandBuiltBytes b;
    b.byte(4).raw("IDAB").byte(0);
    b.word(1596);
    const std::size_t imageStart = b.size();
    b.slot("ed.exe").slot("my.not");
    b.byte(0).byte(1).byte(0).zeros(1);     // echo: Enter; padding
    b.word(25).word(20000);                 // commands retained, scrollback size
    b.byte(0).byte(1).zeros(2);             // no reconnect, word wrap; padding
    b.dword(0x00336699).dword(0xFFFFFFF1);  // colour, height -15
    b.counted("Courier", 32);
    b.byte(2).zeros(1).word(11).byte(0x05).zeros(3);
    b.slot("tell").slot("subj").slot("add").slot("post");
    ASSERT_EQ(b.size() - imageStart, 1596u);
    appendLists(b, false);

    const OptionsLoadResult r = OptionsFileReader::read(b.bytes, SetupVars{});
    ASSERT_TRUE(r.loaded());
    EXPECT_EQ(r.version, OptionsVersion::Idab);
    const SetupVars& s = r.data.setup;
    EXPECT_EQ(s.EditorName, "ed.exe");
    EXPECT_EQ(s.NoteFileName, "my.not");
    EXPECT_FALSE(s.EchoCommand);
    EXPECT_TRUE(s.EchoEnter);
    EXPECT_FALSE(s.EchoNone);
    EXPECT_EQ(s.CommandsRetained, 25);
    EXPECT_EQ(s.ScrollbackSize, 20000);
    EXPECT_FALSE(s.AutoReconnect);
    EXPECT_TRUE(s.WordWrap);
    EXPECT_EQ(s.FontColor, 0x00336699u);
    EXPECT_EQ(s.FontHeight, -15);
    EXPECT_EQ(s.FontName, "Courier");
    EXPECT_EQ(s.FontPitch, 2);
    EXPECT_EQ(s.FontSize, 11);
    EXPECT_EQ(s.FontStyle, 0x05);
    EXPECT_EQ(s.NoteTo, "tell");
    EXPECT_EQ(s.NoteSubject, "subj");
    EXPECT_EQ(s.NotePlus, "add");
    EXPECT_EQ(s.NoteSend, "post");
    expectSharedLists(r.data);
    // In the current format the second switch is kept as it is.
    EXPECT_EQ(r.data.triggers[1], (TriggerEntry{"tells you", "ding.wav", "110000"}));
    EXPECT_EQ(r.data.triggers[2], (TriggerEntry{"off", "look", "0112034"}));

    // The writer reproduces the file; the "110000" padded on load is the one difference.
    OptionsData back = r.data;
    back.triggers[1].switches = "11";
    EXPECT_EQ(OptionsFileWriter::write(back), b.bytes);
}

TEST(OptionsGolden, PreviousFormatIsConvertedOnLoad)
{
    HandBuiltBytes b;
    b.byte(4).raw("IDAA").byte(0x77);
    b.word(0xBEEF); // never used
    const std::size_t packedStart = b.size();
    b.slot("old.exe").slot("old.not");
    b.byte(0).byte(0).byte(1);              // echo: None
    b.word(30).word(9000);
    b.byte(1).byte(0);                      // reconnect, no word wrap
    b.dword(0x00ABCDEF);
    b.word(0xFFF0);                         // the low half of the height only
    b.counted("Fixedsys", 32);
    b.byte(1).word(14).byte(0x02);
    b.slot("to").slot("subject").slot("plus").slot("send");
    ASSERT_EQ(b.size() - packedStart, 1587u);
    appendLists(b, true);

    SetupVars current;
    current.FontHeight = -12;                 // 0xFFFFFFF4
    const OptionsLoadResult r = OptionsFileReader::read(b.bytes, current);
    ASSERT_TRUE(r.loaded());
    EXPECT_EQ(r.version, OptionsVersion::Idaa);
    const SetupVars& s = r.data.setup;
    EXPECT_EQ(s.EditorName, "old.exe");
    EXPECT_EQ(s.NoteFileName, "old.not");
    EXPECT_FALSE(s.EchoCommand);
    EXPECT_FALSE(s.EchoEnter);
    EXPECT_TRUE(s.EchoNone);
    EXPECT_EQ(s.CommandsRetained, 30);
    EXPECT_EQ(s.ScrollbackSize, 9000);
    EXPECT_TRUE(s.AutoReconnect);
    EXPECT_FALSE(s.WordWrap);
    EXPECT_EQ(s.FontColor, 0x00ABCDEFu);
    EXPECT_EQ(s.FontHeight, -16);             // 0xFFFF from the record, 0xFFF0 from the file
    EXPECT_EQ(s.FontName, "Fixedsys");
    EXPECT_EQ(s.FontPitch, 1);
    EXPECT_EQ(s.FontSize, 14);
    EXPECT_EQ(s.FontStyle, 0x02);
    EXPECT_EQ(s.NoteTo, "to");
    EXPECT_EQ(s.NoteSubject, "subject");
    EXPECT_EQ(s.NotePlus, "plus");
    EXPECT_EQ(s.NoteSend, "send");
    expectSharedLists(r.data);
    // A sound trigger becomes a #PLAY command; other switches keep their second character.
    EXPECT_EQ(r.data.triggers[1], (TriggerEntry{"tells you", "#PLAY ding.wav", "100000"}));
    EXPECT_EQ(r.data.triggers[2], (TriggerEntry{"off", "#PLAY look", "0012034"}));
}

} // namespace
} // namespace tw
