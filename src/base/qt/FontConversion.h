#pragma once
// Conversions between a font and a colour as the options file stores them and Qt's.
#include <QColor>
#include <QFont>

#include <cstdint>
#include <string>

namespace tw {

// A font as stored: the fields of the settings record.
struct StoredFont {
    std::int32_t height = 0; // negative: the character height in pixels
    std::string name;
    std::uint8_t pitch = 0;  // 0 default, 1 variable, 2 fixed
    std::uint16_t size = 0;  // points
    std::uint8_t style = 0;  // bit 0 bold, 1 italic, 2 underline, 3 strike-out
};

QFont fontFromStored(const StoredFont& stored);
StoredFont storedFontOf(const QFont& font);
// A stored colour is 0x00BBGGRR; the top bit marks a system colour.
QColor colorFromStored(std::uint32_t value);
std::uint32_t colorValue(const QColor& color);

} // namespace tw
