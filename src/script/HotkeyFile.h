#pragma once
// The hotkey file ("hky"): 24 records in table order, four lines each, ended by CR LF: the
// key's label, the text, two flag characters (Enter, then Add; "1" set, anything else clear)
// and an empty line.
#include "base/TextCut.h"
#include "script/HotkeyTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class HotkeyFile {
public:
    // "F1".."F12" for entries 0..11, "SF1".."SF12" for entries 12..23.
    static std::string label(int entry);

    static std::string toText(const HotkeyTable& table);

    // Reads exactly 24 records; records missing from a short text become empty texts with both
    // flags clear. Labels are not compared. The coding says how a text's bytes make its 255
    // characters.
    static HotkeyTable fromText(std::string_view text, TextCoding coding = TextCoding::Bytes);

    // Both return the I/O error text on failure; a failed import leaves table unchanged.
    static std::optional<std::string> exportTo(const std::string& path, const HotkeyTable& table);
    static std::optional<std::string> importFrom(const std::string& path, HotkeyTable& table,
                                                 TextCoding coding = TextCoding::Bytes);
};

} // namespace tw
