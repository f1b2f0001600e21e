#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tw {

// The general settings record. Its stored form is a 1596-byte image with a fixed layout
// (little-endian numbers, counted strings, padding included), written whole into the
// options file.
struct SetupVars {
    static constexpr std::size_t ImageSize = 1596;
    using Image = std::array<std::uint8_t, ImageSize>;

    std::string EditorName = "notepad.exe";
    std::string NoteFileName = "notes.not";
    bool EchoCommand = true;
    bool EchoEnter = false;
    bool EchoNone = false;
    std::uint16_t CommandsRetained = 10;
    std::uint16_t ScrollbackSize = 16000;
    bool AutoReconnect = true;
    bool WordWrap = true;
    std::uint32_t FontColor = 0x00FFFFFF; // 0x00BBGGRR, white
    std::int32_t FontHeight = -12;
    std::string FontName = "Terminal";
    std::uint8_t FontPitch = 0;  // 0 default, 1 variable, 2 fixed
    std::uint16_t FontSize = 9;  // points
    std::uint8_t FontStyle = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    std::string NoteTo = "note to";
    std::string NoteSubject = "note subject";
    std::string NotePlus = "note +";
    std::string NoteSend = "note send";

    // Byte offsets of the stored image.
    enum Offset : std::size_t {
        OffEditorName = 0, OffNoteFileName = 256, OffEchoCommand = 512, OffEchoEnter = 513,
        OffEchoNone = 514, OffCommandsRetained = 516, OffScrollbackSize = 518,
        OffAutoReconnect = 520, OffWordWrap = 521, OffFontColor = 524, OffFontHeight = 528,
        OffFontName = 532, OffFontPitch = 564, OffFontSize = 566, OffFontStyle = 568,
        OffNoteTo = 572, OffNoteSubject = 828, OffNotePlus = 1084, OffNoteSend = 1340
    };

    Image toImage() const;
    static SetupVars fromImage(const Image& image);
    // Replaces the first n bytes of the current image with data (n at most ImageSize) and
    // takes the fields from the result: what a shorter settings item in a file does.
    void overlayImage(const std::uint8_t* data, std::size_t n);

    bool operator==(const SetupVars&) const = default;
};

// Writes a counted string of at most capacity characters into slot (capacity + 1 bytes),
// cutting longer text silently; unused bytes become zero.
void putCountedString(std::uint8_t* slot, std::size_t capacity, const std::string& text);
std::string getCountedString(const std::uint8_t* slot, std::size_t capacity);

} // namespace tw
