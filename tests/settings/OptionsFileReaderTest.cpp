#include "settings/HandBuiltBytes.h"
#include "settings/OptionsFileReader.h"
#include "settings/OptionsFileWriter.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

using test::HandBuiltBytes;
using Kind = OptionsLoadResult::Kind;

struct TriggerBytes {
    std::string pattern, response, switches;
};

HandBuiltBytes headerAndSettings(OptionsVersion v)
{
    HandBuiltBytes b;
    if (v == OptionsVersion::Idab)
        b.byte(4).raw("IDAB").byte(0).word(1596).zeros(1596);
    else
        b.byte(4).raw("IDAA").byte(0).word(0).zeros(1587);
    return b;
}

// From the hotkeys on: empty hotkeys and keypad, no aliases, the given triggers.
void appendAfterMuds(HandBuiltBytes& b, OptionsVersion v,
                     const std::vector<TriggerBytes>& triggers = {})
{
    for (int i = 0; i < 24; ++i) {
        b.stringItem("");
        if (v == OptionsVersion::Idab)
            b.flagItem(true).flagItem(false);
        else
            b.word(1).byte(1).word(1).byte(0);
    }
    for (int i = 0; i < 11; ++i)
        b.stringItem("");
    b.word(0);
    b.word(std::uint16_t(triggers.size()));
    for (const TriggerBytes& t : triggers)
        b.stringItem(t.pattern).stringItem(t.response).stringItem(t.switches);
    for (int i = 0; i < 16; ++i)
        b.dword(std::uint32_t(i));
}

void appendAfterSettings(HandBuiltBytes& b, OptionsVersion v,
                         const std::vector<TriggerBytes>& triggers = {})
{
    b.word(0);
    appendAfterMuds(b, v, triggers);
}

std::string fileWith(OptionsVersion v, const std::vector<TriggerBytes>& triggers = {})
{
    HandBuiltBytes b = headerAndSettings(v);
    appendAfterSettings(b, v, triggers);
    return b.bytes;
}

TEST(OptionsFileReader, EmptyListsLoadAsEmpty)
{
    for (OptionsVersion v : {OptionsVersion::Idab, OptionsVersion::Idaa}) {
        const OptionsLoadResult r = OptionsFileReader::read(fileWith(v), SetupVars{});
        ASSERT_TRUE(r.loaded());
        EXPECT_EQ(r.version, v);
        EXPECT_TRUE(r.data.muds.empty());
        EXPECT_TRUE(r.data.aliases.empty());
        EXPECT_TRUE(r.data.triggers.empty());
        EXPECT_EQ(r.data.keypad[0], "");
        EXPECT_EQ(r.data.palette.colors[15], 15u);
    }
}

TEST(OptionsFileReader, SwitchStringsArePaddedAndOldSoundTriggersBecomePlayCommands)
{
    struct Case {
        OptionsVersion version;
        TriggerBytes stored;
        TriggerEntry loaded;
    };
    const OptionsVersion A = OptionsVersion::Idaa, B = OptionsVersion::Idab;
    const Case cases[] = {
        {B, {"p", "r", "10"}, {"p", "r", "100000"}},
        {B, {"p", "r", "110000"}, {"p", "r", "110000"}},
        {B, {"p", "r", "1000001"}, {"p", "r", "1000001"}},
        {B, {"p", "r", "11"}, {"p", "r", "110000"}},
        {B, {"p", "r", ""}, {"p", "r", "0000"}},
        {B, {"p", "r", "10000"}, {"p", "r", "100000000"}},
        {A, {"bell", "ding.wav", "11"}, {"bell", "#PLAY ding.wav", "100000"}},
        {A, {"p", "r", "10"}, {"p", "r", "100000"}},
        {A, {"p", "r", "011203"}, {"p", "#PLAY r", "001203"}},
        {A, {"p", "r", "1"}, {"p", "r", "10000"}},
        {A, {"p", "r", ""}, {"p", "r", "0000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.switches + (c.version == A ? " (IDAA)" : " (IDAB)"));
        const OptionsLoadResult r = OptionsFileReader::read(fileWith(c.version, {c.stored}), SetupVars{});
        ASSERT_TRUE(r.loaded());
        ASSERT_EQ(r.data.triggers.size(), 1u);
        EXPECT_EQ(r.data.triggers[0], c.loaded);
    }
}

TEST(OptionsFileReader, OnlyTheCountedStringsIdabAndIdaaAreAccepted)
{
    struct Case {
        std::string header;
        Kind kind;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"\x04IDAB\x00"s, Kind::Loaded},
        {"\x04IDAB\xFF"s, Kind::Loaded},  // byte 5 means nothing
        {"\x04IDAA\x00"s, Kind::Loaded},
        {"\x05IDAB\x00"s, Kind::RefusedHeader},
        {"\x03IDAB\x00"s, Kind::RefusedHeader},
        {"\x00IDAB\x00"s, Kind::RefusedHeader},
        {"\x04IDAC\x00"s, Kind::RefusedHeader},
        {"\x04idab\x00"s, Kind::RefusedHeader},
        {"IDAB\x00\x00"s, Kind::RefusedHeader},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.header));
        // The body suits the version the header names, so only the header decides.
        std::string file = fileWith(c.header.substr(1, 4) == "IDAA" ? OptionsVersion::Idaa
                                                                    : OptionsVersion::Idab);
        file.replace(0, 6, c.header);
        EXPECT_EQ(OptionsFileReader::read(file, SetupVars{}).kind, c.kind);
    }
}

TEST(OptionsFileReader, ShortSettingsItemReplacesOnlyItsBytes)
{
    SetupVars current;
    current.EditorName = "keep.exe";
    current.NoteFileName = "keep.not";
    current.ScrollbackSize = 12345;
    current.NoteSend = "keep send";

    HandBuiltBytes b;
    b.byte(4).raw("IDAB").byte(0);
    b.word(258).slot("new.exe").byte(3).byte('a'); // the editor slot and two note-file bytes
    appendAfterSettings(b, OptionsVersion::Idab);

    const OptionsLoadResult r = OptionsFileReader::read(b.bytes, current);
    ASSERT_TRUE(r.loaded());
    EXPECT_EQ(r.data.setup.EditorName, "new.exe");
    // Only the length byte and first letter of the note file name were replaced.
    EXPECT_EQ(r.data.setup.NoteFileName, "aee");
    EXPECT_EQ(r.data.setup.ScrollbackSize, 12345);
    EXPECT_EQ(r.data.setup.NoteSend, "keep send");
}

TEST(OptionsFileReader, OversizedItemsFillTheirDestinationAndKeepTheReaderInStep)
{
    HandBuiltBytes b;
    b.byte(4).raw("IDAB").byte(0);
    SetupVars wanted;
    wanted.EditorName = "big.exe";
    const SetupVars::Image image = wanted.toImage();
    b.word(1600).raw({reinterpret_cast<const char*>(image.data()), image.size()}).raw("JUNK");
    b.word(1);
    b.word(300).slot("name").raw(std::string(44, 'x'));   // oversized string item
    b.word(257).slot("addr").byte(0xEE);
    b.stringItem("port");
    for (int i = 0; i < 24; ++i)
        b.stringItem("h").word(3).byte(0).byte(1).byte(1).word(2).byte(1).byte(0);
    for (int i = 0; i < 11; ++i)
        b.stringItem("k");
    b.word(0).word(0);
    for (int i = 0; i < 16; ++i)
        b.dword(0x00A0B0C0);

    const OptionsLoadResult r = OptionsFileReader::read(b.bytes, SetupVars{});
    ASSERT_TRUE(r.loaded());
    EXPECT_EQ(r.data.setup.EditorName, "big.exe");
    ASSERT_EQ(r.data.muds.size(), 1u);
    EXPECT_EQ(r.data.muds[0], (MudEntry{"name", "addr", "port"}));
    EXPECT_FALSE(r.data.hotkeys[23].enter);
    EXPECT_TRUE(r.data.hotkeys[23].add);
    EXPECT_EQ(r.data.keypad[10], "k");
    EXPECT_EQ(r.data.palette.colors[15], 0x00A0B0C0u);
}

TEST(OptionsFileReader, ShortStringItemLandsOnAnEmptySlot)
{
    HandBuiltBytes b = headerAndSettings(OptionsVersion::Idab);
    b.word(1).word(4).raw("\x03" "abc").word(0).word(2).raw("\x01" "p");
    appendAfterMuds(b, OptionsVersion::Idab);

    const OptionsLoadResult r = OptionsFileReader::read(b.bytes, SetupVars{});
    ASSERT_TRUE(r.loaded());
    ASSERT_EQ(r.data.muds.size(), 1u);
    EXPECT_EQ(r.data.muds[0].name, "abc");
    EXPECT_EQ(r.data.muds[0].address, "");
    EXPECT_EQ(r.data.muds[0].port, "p");
}

// An item shorter than its own length byte says keeps the rest of the text it lands on.
TEST(OptionsFileReader, AShortKeypadItemKeepsTheRestOfTheCommandUnderIt)
{
    HandBuiltBytes b = headerAndSettings(OptionsVersion::Idab);
    b.word(0); // no games
    for (int i = 0; i < 24; ++i)
        b.stringItem("").flagItem(true).flagItem(false);
    for (int i = 0; i < 11; ++i) {
        if (i == 5)
            b.word(2).raw("\x04" "x"); // four characters announced, one carried
        else
            b.stringItem("");
    }
    b.word(0).word(0);
    for (int i = 0; i < 16; ++i)
        b.dword(std::uint32_t(i));
    const OptionsLoadResult r = OptionsFileReader::read(b.bytes, SetupVars{});
    ASSERT_TRUE(r.loaded());
    EXPECT_EQ(r.data.keypad[5], "xxit"); // over the default "exits"
}

// A truncated file at any length is refused as a whole with the short-read text.
TEST(OptionsFileReader, EveryTruncationIsReadBeyondEndOfFile)
{
    for (OptionsVersion v : {OptionsVersion::Idab, OptionsVersion::Idaa}) {
        const std::string full = fileWith(v, {{"a", "b", "100000"}, {"c", "d", "10"}});
        ASSERT_TRUE(OptionsFileReader::read(full, SetupVars{}).loaded());
        for (std::size_t n = 0; n < full.size(); ++n) {
            const OptionsLoadResult r = OptionsFileReader::read(std::string_view(full).substr(0, n), SetupVars{});
            ASSERT_EQ(r.kind, Kind::IoError) << "length " << n;
            ASSERT_EQ(r.errorText, "Read beyond end of file") << "length " << n;
        }
    }
}

TEST(OptionsFileReader, CountsBeyondTheFileAreRefusedBeforeAnythingIsKept)
{
    for (const std::size_t countAt : {std::size_t(0), std::size_t(1)}) {
        HandBuiltBytes b = headerAndSettings(OptionsVersion::Idab);
        if (countAt == 0) {
            b.word(0xFFFF).stringItem("only").stringItem("one").stringItem("entry");
        } else {
            appendAfterSettings(b, OptionsVersion::Idab);
            b.bytes.resize(b.size() - 64 - 2);
            b.word(0xFFFF);
            for (int i = 0; i < 16; ++i)
                b.dword(0);
        }
        const OptionsLoadResult r = OptionsFileReader::read(b.bytes, SetupVars{});
        EXPECT_EQ(r.kind, Kind::IoError);
        EXPECT_TRUE(r.data.muds.empty());
        EXPECT_TRUE(r.data.triggers.empty());
    }
}

} // namespace
} // namespace tw
