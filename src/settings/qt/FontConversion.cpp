#include "settings/qt/FontConversion.h"

#include <QFontInfo>

#include <algorithm>
#include <cstdint>

namespace tw {

QFont fontFromSetup(const SetupVars& v)
{
    QFont f(QString::fromLatin1(v.FontName.c_str()));
    // The old bitmap face is not on this desktop; a fixed-pitch face stands in for it.
    f.setStyleHint(v.FontPitch == 1 ? QFont::AnyStyle : QFont::TypeWriter);
    f.setFixedPitch(v.FontPitch != 1);
    // Widened before negating: the stored height may be any 32-bit value.
    if (v.FontHeight < 0)
        f.setPixelSize(int(std::min<std::int64_t>(-std::int64_t(v.FontHeight), 1000)));
    // The size is set after the height and decides the font's size.
    if (v.FontSize > 0)
        f.setPointSize(v.FontSize);
    f.setBold(v.FontStyle & 1);
    f.setItalic(v.FontStyle & 2);
    f.setUnderline(v.FontStyle & 4);
    f.setStrikeOut(v.FontStyle & 8);
    return f;
}

QColor colorFromSetup(std::uint32_t c)
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

void fontIntoSetup(const QFont& font, SetupVars& v)
{
    const QFontInfo info(font);
    const int points = font.pointSize() > 0 ? font.pointSize() : info.pointSize();
    v.FontHeight = -((points * 96 + 36) / 72);
    v.FontName = font.family().toLatin1().left(31).toStdString();
    v.FontPitch = font.fixedPitch() ? 2 : 0;
    v.FontSize = std::uint16_t(points);
    v.FontStyle = std::uint8_t((font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) |
                               (font.underline() ? 4 : 0) | (font.strikeOut() ? 8 : 0));
}

} // namespace tw
