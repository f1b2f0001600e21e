#include "settings/OptionsFileReader.h"

#include "base/FileIo.h"
#include "settings/OptionsFileWriter.h"
#include "settings/SetupRules.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tw {

namespace {

// Thrown by the byte reads when the file ends before its contents say it does; caught in read().
struct ShortFile {};

constexpr std::size_t SlotSize = 256;
constexpr std::size_t ItemWordSize = 2;

// The previous format stored the settings fields back to back, without the record's padding:
// each field's size in the file and its offset in the record.
struct PackedField {
    std::size_t size;
    std::size_t offset;
};
constexpr std::array<PackedField, 19> PackedSettings = {{
    {256, SetupVars::OffEditorName},
    {256, SetupVars::OffNoteFileName},
    {1, SetupVars::OffEchoCommand},
    {1, SetupVars::OffEchoEnter},
    {1, SetupVars::OffEchoNone},
    {2, SetupVars::OffCommandsRetained},
    {2, SetupVars::OffScrollbackSize},
    {1, SetupVars::OffAutoReconnect},
    {1, SetupVars::OffWordWrap},
    {4, SetupVars::OffFontColor},
    {2, SetupVars::OffFontHeight}, // the low half of the 32-bit field only
    {32, SetupVars::OffFontName},
    {1, SetupVars::OffFontPitch},
    {2, SetupVars::OffFontSize},
    {1, SetupVars::OffFontStyle},
    {256, SetupVars::OffNoteTo},
    {256, SetupVars::OffNoteSubject},
    {256, SetupVars::OffNotePlus},
    {256, SetupVars::OffNoteSend},
}};

} // namespace

std::optional<OptionsVersion> OptionsFileReader::headerVersion(std::string_view header)
{
    // The header is a counted string: its first byte is a length, and only the length 4
    // followed by the letters matches, whatever comes after them.
    if (header.size() < 5 || header[0] != 4)
        return std::nullopt;
    const std::string_view letters = header.substr(1, 4);
    if (letters == "IDAB")
        return OptionsVersion::Idab;
    if (letters == "IDAA")
        return OptionsVersion::Idaa;
    return std::nullopt;
}

OptionsLoadResult OptionsFileReader::read(std::string_view bytes, const SetupVars& current)
{
    if (bytes.size() < OptionsFileWriter::HeaderSize)
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::IoError, ReadBeyondEndOfFile);
    const std::optional<OptionsVersion> version = headerVersion(bytes);
    if (!version)
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::RefusedHeader);

    OptionsFileReader reader(bytes.substr(OptionsFileWriter::HeaderSize), *version);
    OptionsData data;
    data.setup = current;
    try {
        reader.readSettings(data.setup);
        bringIntoRange(data.setup);
        reader.readMuds(data.muds);
        reader.readHotkeys(data.hotkeys);
        reader.readKeypad(data.keypad);
        reader.readAliases(data.aliases);
        reader.readTriggers(data.triggers);
        reader.readPalette(data.palette);
    } catch (const ShortFile&) {
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::IoError, ReadBeyondEndOfFile);
    }
    // Anything after the colours is ignored, as it always was.
    return OptionsLoadResult::loadedWith(*version, std::move(data));
}

void OptionsFileReader::readSettings(SetupVars& setup)
{
    if (version_ == OptionsVersion::Idaa) {
        readPackedSettings(setup);
        return;
    }
    const std::uint16_t length = word();
    const std::uint8_t* image = take(length);
    setup.overlayImage(image, std::min<std::size_t>(length, SetupVars::ImageSize));
}

void OptionsFileReader::readPackedSettings(SetupVars& setup)
{
    word(); // its value was never used
    SetupVars::Image image = setup.toImage();
    for (const PackedField& field : PackedSettings)
        std::memcpy(image.data() + field.offset, take(field.size), field.size);
    setup = SetupVars::fromImage(image);
}

void OptionsFileReader::readMuds(MudList& muds)
{
    const std::uint16_t count = listCount(3);
    muds.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        MudEntry mud;
        mud.name = stringItem({});
        mud.address = stringItem({});
        mud.port = stringItem({});
        muds.push_back(std::move(mud));
    }
}

void OptionsFileReader::readHotkeys(HotkeyTable& hotkeys)
{
    for (HotkeyEntry& key : hotkeys) {
        key.text = stringItem(key.text);
        key.enter = flagItem(key.enter);
        key.add = flagItem(key.add);
    }
}

void OptionsFileReader::readKeypad(KeypadTable& keypad)
{
    for (std::string& command : keypad)
        command = stringItem(command);
}

void OptionsFileReader::readAliases(AliasList& aliases)
{
    const std::uint16_t count = listCount(2);
    aliases.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        AliasEntry alias;
        alias.word = stringItem({});
        alias.expansion = stringItem({});
        aliases.push_back(std::move(alias));
    }
}

void OptionsFileReader::readTriggers(TriggerList& triggers)
{
    const std::uint16_t count = listCount(3);
    triggers.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        TriggerEntry trigger;
        trigger.pattern = stringItem({});
        trigger.response = stringItem({});
        trigger.switches = stringItem({});
        // Older switch strings lacked the colour digits.
        if (trigger.switches.size() < 6)
            trigger.switches += "0000";
        // The previous format marked sound triggers in the second switch; the sound is now
        // played by a #PLAY command in the response.
        if (version_ == OptionsVersion::Idaa && trigger.switches[1] == '1') {
            trigger.switches[1] = '0';
            trigger.response = "#PLAY " + trigger.response;
        }
        triggers.push_back(std::move(trigger));
    }
}

void OptionsFileReader::readPalette(Palette& palette)
{
    for (ColorRef& colour : palette.colors)
        colour = dword();
}

std::string OptionsFileReader::stringItem(const std::string& destination)
{
    // The item's bytes are laid over the destination's 256-byte slot: a length byte, the
    // characters, zeros after them. Whatever the item does not cover keeps the slot's bytes.
    const std::uint16_t length = word();
    const std::uint8_t* bytes = take(length);
    const std::size_t kept = std::min(destination.size(), SlotSize - 1);
    const std::size_t n = length > 0 ? bytes[0] : kept;
    std::string text(n, '\0');
    for (std::size_t i = 1; i <= n; ++i) {
        if (i < length)
            text[i - 1] = char(bytes[i]);
        else if (i <= kept)
            text[i - 1] = destination[i - 1];
    }
    return text;
}

bool OptionsFileReader::flagItem(bool destination)
{
    const std::uint16_t length = word();
    // The previous format read one byte after the word, whatever the word said.
    if (version_ == OptionsVersion::Idaa)
        return byte() != 0;
    const std::uint8_t* bytes = take(length);
    return length == 0 ? destination : bytes[0] != 0;
}

std::uint16_t OptionsFileReader::listCount(std::size_t itemsPerEntry)
{
    const std::uint16_t count = word();
    // Every entry holds at least its item words, so a count that the rest of the file cannot
    // hold is a short file: refuse it before reserving anything for it.
    need(std::size_t(count) * itemsPerEntry * ItemWordSize);
    return count;
}

void OptionsFileReader::need(std::size_t n) const
{
    if (n > bytes_.size() - pos_)
        throw ShortFile{};
}

const std::uint8_t* OptionsFileReader::take(std::size_t n)
{
    need(n);
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes_.data()) + pos_;
    pos_ += n;
    return p;
}

std::uint8_t OptionsFileReader::byte() { return *take(1); }

std::uint16_t OptionsFileReader::word()
{
    const std::uint8_t* p = take(2);
    return std::uint16_t(p[0] | (p[1] << 8));
}

std::uint32_t OptionsFileReader::dword()
{
    const std::uint8_t* p = take(4);
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

} // namespace tw
