// Arbitrary bytes as the INI file, read in memory as the program reads the file: the text reads
// back as itself once written (what the reader took, the writer gives it again, byte for
// byte), and the program's settings written and read again are the same settings, in a file
// no larger than the reader takes.
#include "settings/IniSettings.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tw::IniText text = tw::IniText::parse(bytes);
    const std::string written = text.text();
    const tw::IniText again = tw::IniText::parse(written);
    if (!(again == text) || again.text() != written)
        std::abort();

    const tw::IniSettings settings = tw::IniSettings::fromText(bytes);
    const std::string file = settings.fileText();
    if (file.size() > tw::IniSettings::MaxFileBytes)
        std::abort();
    const tw::IniSettings reread = tw::IniSettings::fromText(file);
    if (reread.defaultCfg() != settings.defaultCfg() || reread.modern() != settings.modern() ||
        reread.zoom() != settings.zoom() || reread.lastMud() != settings.lastMud() ||
        reread.certificate("mud.example", 4000) != settings.certificate("mud.example", 4000) ||
        !(reread.text() == settings.text()))
        std::abort();
    return 0;
}
