// Arbitrary received bytes through Modern Server Mode's layout and plain text: no crash, every
// cell a character (or the right half of a wide one), the lines bounded,
// and the plain text valid UTF-8. Then the switch off and on again: the scrollback rewritten
// each way stays within its capacity and lays out.
#include "base/Utf8.h"
#include "core/PlainText.h"
#include "FuzzTerminal.h"
#include "core/Terminal.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto [terminal, input] = tw::fuzz::terminalFrom(data, size);
    if (!terminal)
        return 0;
    tw::Terminal& t = *terminal;
    t.setModern(true);
    // Cut the input into writes at every byte 0xFE: characters and sequences split anywhere.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= input.size(); ++i) {
        if (i < input.size() && std::uint8_t(input[i]) != 0xFE)
            continue;
        t.WriteTerminal(input.substr(start, i - start));
        start = i + 1;
        if (t.ScrollbackBuffer().size() > t.ScrollbackCapacity())
            std::abort();
    }
    const tw::ScreenModel& m = t.model();
    if (m.row() < 1 || m.LineCount() > 70000)
        std::abort();
    for (int l = 1; l <= m.LineCount(); ++l)
        for (int c = 1; c <= tw::ScreenLine::Width; ++c) {
            const char32_t ch = m.line(l).cell(c).character & ~tw::ScreenCell::RightHalf;
            if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
                std::abort();
        }

    const std::string plain = tw::plainText(t.ScrollbackBuffer());
    for (const char* p = plain.data(), *end = p + plain.size(); p < end;) {
        const tw::utf8::Decoded d = tw::utf8::decode(p, end);
        if (d.status != tw::utf8::Status::Valid)
            std::abort();
        p += d.length;
    }

    for (const bool modern : {false, true}) {
        t.switchModern(modern, tw::Palette{});
        t.WriteTerminal("");
        if (t.ScrollbackBuffer().size() > t.ScrollbackCapacity() || t.model().LineCount() > 70000)
            std::abort();
    }
    return 0;
}
