#pragma once
// The game's text between the core's bytes and the widgets. Modern Server Mode decides how the
// bytes read: on, as UTF-8 (a byte that is not part of valid UTF-8 reads as its Latin-1
// character); off, one character per byte, as the old games wrote them. The main window sets
// it when the switch changes; every widget that shows or takes game text asks here.
#include "base/TextCut.h"

#include <QString>

#include <string>
#include <string_view>

namespace tw {

class GameText {
public:
    static void setUtf8(bool on);
    static bool utf8();
    // How the core counts the characters of game text, as this class reads them.
    static TextCoding coding() { return utf8() ? TextCoding::Utf8 : TextCoding::Bytes; }

    static QString toQString(std::string_view bytes);
    // Characters that the old encoding cannot hold become "?".
    static std::string toBytes(const QString& text);
};

} // namespace tw
