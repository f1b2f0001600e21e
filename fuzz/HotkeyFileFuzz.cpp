// Arbitrary bytes as a hotkey file (.hky): always 24 records, each text one line of at most
// 255 characters, and the table writes and reads back to itself.
#include "ListFileFuzz.h"
#include "script/HotkeyFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const tw::HotkeyTable table = tw::HotkeyFile::fromText(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const tw::HotkeyEntry& e : table)
        tw::fuzz::checkField(e.text);
    const std::string text = tw::HotkeyFile::toText(table);
    if (!(tw::HotkeyFile::fromText(text) == table))
        std::abort();
    return 0;
}
