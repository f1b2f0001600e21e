#include "base/qt/FontConversion.h"

#include <QFontInfo>

#include <algorithm>

namespace tw {

QFont fontFromStored(const StoredFont& stored)
{
    QFont f(QString::fromLatin1(stored.name.c_str()));
    // The old bitmap face is not on this desktop; a fixed-pitch face stands in for it.
    f.setStyleHint(stored.pitch == 1 ? QFont::AnyStyle : QFont::TypeWriter);
    f.setFixedPitch(stored.pitch != 1);
    // Widened before negating: the stored height may be any 32-bit value.
    if (stored.height < 0)
        f.setPixelSize(int(std::min<std::int64_t>(-std::int64_t(stored.height), 1000)));
    // The size is set after the height and decides the font's size.
    if (stored.size > 0)
        f.setPointSize(stored.size);
    f.setBold(stored.style & 1);
    f.setItalic(stored.style & 2);
    f.setUnderline(stored.style & 4);
    f.setStrikeOut(stored.style & 8);
    return f;
}

QColor colorFromStored(std::uint32_t c)
{
    if (c & 0x80000000u) // a system colour: the window text colour of this desktop's terminal
        return QColor(Qt::white);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

std::uint32_t colorValue(const QColor& color)
{
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8) |
           (std::uint32_t(color.blue()) << 16);
}

StoredFont storedFontOf(const QFont& font)
{
    const QFontInfo info(font);
    const int points = font.pointSize() > 0 ? font.pointSize() : info.pointSize();
    StoredFont stored;
    stored.height = -((points * 96 + 36) / 72);
    stored.name = font.family().toLatin1().left(31).toStdString();
    stored.pitch = font.fixedPitch() ? 2 : 0;
    stored.size = std::uint16_t(points);
    stored.style = std::uint8_t((font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) |
                                (font.underline() ? 4 : 0) | (font.strikeOut() ? 8 : 0));
    return stored;
}

} // namespace tw
