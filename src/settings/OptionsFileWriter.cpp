#include "settings/OptionsFileWriter.h"

#include <algorithm>
#include <array>

namespace tw {

std::string OptionsFileWriter::write(const OptionsData& data)
{
    std::string out;
    out.reserve(EmptyListsFileSize + (data.muds.size() * 3 + data.aliases.size() * 2 +
                                      data.triggers.size() * 3) * (2 + StringItemSize));
    OptionsFileWriter w(out);

    w.header();

    const SetupVars::Image image = data.setup.toImage();
    w.word(std::uint16_t(SetupVars::ImageSize));
    out.append(reinterpret_cast<const char*>(image.data()), image.size());

    const std::uint16_t mudCount = storedCount(data.muds.size());
    w.word(mudCount);
    for (std::size_t i = 0; i < mudCount; ++i) {
        w.stringItem(data.muds[i].name);
        w.stringItem(data.muds[i].address);
        w.stringItem(data.muds[i].port);
    }

    for (const HotkeyEntry& key : data.hotkeys) {
        w.stringItem(key.text);
        w.flagItem(key.enter);
        w.flagItem(key.add);
    }

    for (const std::string& command : data.keypad)
        w.stringItem(command);

    const std::uint16_t aliasCount = storedCount(data.aliases.size());
    w.word(aliasCount);
    for (std::size_t i = 0; i < aliasCount; ++i) {
        w.stringItem(data.aliases[i].word);
        w.stringItem(data.aliases[i].expansion);
    }

    const std::uint16_t triggerCount = storedCount(data.triggers.size());
    w.word(triggerCount);
    for (std::size_t i = 0; i < triggerCount; ++i) {
        w.stringItem(data.triggers[i].pattern);
        w.stringItem(data.triggers[i].response);
        w.stringItem(data.triggers[i].switches);
    }

    // The colours are bare dwords, without item words.
    for (ColorRef colour : data.palette.colors)
        w.dword(colour);
    return out;
}

void OptionsFileWriter::header()
{
    // A counted string "IDAB" and one byte that means nothing, written as zero.
    out_.append({char(4), 'I', 'D', 'A', 'B', char(0)});
}

void OptionsFileWriter::word(std::uint16_t value)
{
    out_.push_back(char(value & 0xFF));
    out_.push_back(char(value >> 8));
}

void OptionsFileWriter::dword(std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out_.push_back(char((value >> (8 * i)) & 0xFF));
}

void OptionsFileWriter::stringItem(const std::string& text)
{
    std::array<std::uint8_t, StringItemSize> slot;
    putCountedString(slot.data(), StringItemSize - 1, text);
    word(StringItemSize);
    out_.append(reinterpret_cast<const char*>(slot.data()), slot.size());
}

void OptionsFileWriter::flagItem(bool flag)
{
    word(1);
    out_.push_back(flag ? char(1) : char(0));
}

std::uint16_t OptionsFileWriter::storedCount(std::size_t size)
{
    return std::uint16_t(std::min<std::size_t>(size, 0xFFFF));
}

} // namespace tw
