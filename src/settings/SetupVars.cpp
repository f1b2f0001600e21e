#include "settings/SetupVars.h"

#include <algorithm>
#include <cstring>

namespace tw {

void putCountedString(std::uint8_t* slot, std::size_t capacity, const std::string& text)
{
    const std::size_t n = std::min(text.size(), capacity);
    std::memset(slot, 0, capacity + 1);
    slot[0] = std::uint8_t(n);
    std::memcpy(slot + 1, text.data(), n);
}

std::string getCountedString(const std::uint8_t* slot, std::size_t capacity)
{
    const std::size_t n = std::min<std::size_t>(slot[0], capacity);
    return std::string(reinterpret_cast<const char*>(slot + 1), n);
}

namespace {

void put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}
std::uint16_t get16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t get32(const std::uint8_t* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

} // namespace

SetupVars::Image SetupVars::toImage() const
{
    Image im{};
    std::uint8_t* p = im.data();
    putCountedString(p + OffEditorName, 255, EditorName);
    putCountedString(p + OffNoteFileName, 255, NoteFileName);
    p[OffEchoCommand] = EchoCommand;
    p[OffEchoEnter] = EchoEnter;
    p[OffEchoNone] = EchoNone;
    put16(p + OffCommandsRetained, CommandsRetained);
    put16(p + OffScrollbackSize, ScrollbackSize);
    p[OffAutoReconnect] = AutoReconnect;
    p[OffWordWrap] = WordWrap;
    put32(p + OffFontColor, FontColor);
    put32(p + OffFontHeight, std::uint32_t(FontHeight));
    putCountedString(p + OffFontName, 31, FontName);
    p[OffFontPitch] = FontPitch;
    put16(p + OffFontSize, FontSize);
    p[OffFontStyle] = FontStyle;
    putCountedString(p + OffNoteTo, 255, NoteTo);
    putCountedString(p + OffNoteSubject, 255, NoteSubject);
    putCountedString(p + OffNotePlus, 255, NotePlus);
    putCountedString(p + OffNoteSend, 255, NoteSend);
    return im;
}

SetupVars SetupVars::fromImage(const Image& im)
{
    const std::uint8_t* p = im.data();
    SetupVars v;
    v.EditorName = getCountedString(p + OffEditorName, 255);
    v.NoteFileName = getCountedString(p + OffNoteFileName, 255);
    // Booleans are bytes in the file; any non-zero byte counts as true.
    v.EchoCommand = p[OffEchoCommand] != 0;
    v.EchoEnter = p[OffEchoEnter] != 0;
    v.EchoNone = p[OffEchoNone] != 0;
    v.CommandsRetained = get16(p + OffCommandsRetained);
    v.ScrollbackSize = get16(p + OffScrollbackSize);
    v.AutoReconnect = p[OffAutoReconnect] != 0;
    v.WordWrap = p[OffWordWrap] != 0;
    v.FontColor = get32(p + OffFontColor);
    v.FontHeight = std::int32_t(get32(p + OffFontHeight));
    v.FontName = getCountedString(p + OffFontName, 31);
    v.FontPitch = p[OffFontPitch];
    v.FontSize = get16(p + OffFontSize);
    v.FontStyle = p[OffFontStyle];
    v.NoteTo = getCountedString(p + OffNoteTo, 255);
    v.NoteSubject = getCountedString(p + OffNoteSubject, 255);
    v.NotePlus = getCountedString(p + OffNotePlus, 255);
    v.NoteSend = getCountedString(p + OffNoteSend, 255);
    return v;
}

void SetupVars::overlayImage(const std::uint8_t* data, std::size_t n)
{
    Image im = toImage();
    std::memcpy(im.data(), data, std::min(n, ImageSize));
    *this = fromImage(im);
}

} // namespace tw
