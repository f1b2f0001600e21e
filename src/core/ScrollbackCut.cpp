#include "core/ScrollbackCut.h"

#include "net/AnsiParser.h"

#include <cstring>

namespace tw {

namespace {
bool isParameter(char ch) { return (ch >= '0' && ch <= '9') || ch == ';'; }

// The older text followed by the newer, read a character at a time; NUL beyond their end.
struct Joined {
    std::string_view older, newer;
    char operator[](std::size_t i) const
    {
        if (i < older.size())
            return older[i];
        i -= older.size();
        return i < newer.size() ? newer[i] : '\0';
    }
};

// Past the escape sequence that `cut` falls into; `cut` itself when it falls into none, or into
// one that the parser shows as text anyway.
std::size_t pastSequence(const Joined& text, std::size_t cut)
{
    const std::size_t limit = AnsiParser::EscapeLimit;
    std::size_t start = cut;
    while (start > 0 && cut - start < limit && text[start - 1] != AnsiParser::Escape)
        --start;
    if (start == 0 || text[start - 1] != AnsiParser::Escape)
        return cut;
    const std::size_t escape = start - 1;
    // What lies between the escape character and the cut must be the start of a sequence.
    for (std::size_t i = escape + 1; i < cut; ++i)
        if (i == escape + 1 ? text[i] != '[' : !isParameter(text[i]))
            return cut;
    std::size_t end = cut;
    if (end == escape + 1 && text[end++] != '[')
        return cut;
    while (isParameter(text[end]) && end - escape < limit)
        ++end;
    return AnsiParser::isFinal(text[end]) ? end + 1 : cut;
}
} // namespace

std::size_t keptTextStart(std::string_view older, std::string_view newer, std::size_t cut, bool utf8)
{
    if (cut == 0 || cut > older.size())
        return cut;
    const std::string_view before = older.substr(0, cut);
    if (before.ends_with('\r') || before.ends_with("\r\n"))
        return cut; // already the start of a line
    if (const void* cr = std::memchr(older.data() + cut, '\r', older.size() - cut)) {
        const std::size_t lineStart = std::size_t(static_cast<const char*>(cr) - older.data()) + 1;
        return lineStart + (older.substr(lineStart).starts_with('\n') ? 1 : 0);
    }
    const Joined text{older, newer};
    const std::size_t past = pastSequence(text, cut);
    if (past != cut || !utf8)
        return past;
    // A character is at most four bytes: at most three continuation bytes follow its start.
    std::size_t start = cut;
    while (start - cut < 3 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        ++start;
    return start;
}

} // namespace tw
