#include "base/TextSearch.h"

#include <array>
#include <cstdint>

namespace tw {

namespace {
// Lower-case form of every byte of the Western code page (Windows-1252).
constexpr std::array<std::uint8_t, 256> makeFoldTable()
{
    std::array<std::uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i)
        t[std::size_t(i)] = std::uint8_t(i);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[std::size_t(c)] = std::uint8_t(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) // the multiplication sign has no lower case
            t[std::size_t(c)] = std::uint8_t(c + 32);
    t[0x8A] = 0x9A; // S caron
    t[0x8C] = 0x9C; // OE
    t[0x8E] = 0x9E; // Z caron
    t[0x9F] = 0xFF; // Y diaeresis
    return t;
}
constexpr std::array<std::uint8_t, 256> Fold = makeFoldTable();

std::uint8_t fold(char ch) { return Fold[std::uint8_t(ch)]; }
} // namespace

std::optional<std::size_t> findForward(std::string_view text, std::string_view what,
                                       std::size_t from, bool matchCase)
{
    if (what.empty() || what.size() > text.size() || from > text.size() - what.size())
        return std::nullopt;
    if (matchCase) {
        const std::size_t at = text.find(what, from);
        return at == std::string_view::npos ? std::nullopt : std::optional<std::size_t>(at);
    }
    const std::size_t lastStart = text.size() - what.size();
    const std::uint8_t first = fold(what[0]);
    for (std::size_t start = from; start <= lastStart; ++start) {
        if (fold(text[start]) != first)
            continue;
        std::size_t i = 1;
        while (i < what.size() && fold(text[start + i]) == fold(what[i]))
            ++i;
        if (i == what.size())
            return start;
    }
    return std::nullopt;
}

std::string cannotFindText(std::string_view what)
{
    std::string s = "Cannot find \"";
    s.append(what);
    s += "\".";
    return s;
}

} // namespace tw
