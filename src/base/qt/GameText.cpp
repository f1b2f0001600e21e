#include "base/qt/GameText.h"

#include "base/Utf8.h"

namespace tw {

namespace {
bool utf8On = false;
} // namespace

void GameText::setUtf8(bool on) { utf8On = on; }

bool GameText::utf8() { return utf8On; }

QString GameText::toQString(std::string_view bytes)
{
    if (!utf8On)
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    std::u32string codes;
    codes.reserve(bytes.size());
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const utf8::Decoded d = utf8::decode(p, end);
        codes += d.code; // an invalid or cut-off byte is its own Latin-1 character
        p += d.length;
    }
    return QString::fromUcs4(codes.data(), qsizetype(codes.size()));
}

std::string GameText::toBytes(const QString& text)
{
    const QByteArray b = utf8On ? text.toUtf8() : text.toLatin1();
    return std::string(b.constData(), std::size_t(b.size()));
}

} // namespace tw
