#include "core/ScrollbackCut.h"

#include "net/AnsiParser.h"

#include <cstring>

namespace tw {

namespace {
bool isParameter(char ch) { return (ch >= '0' && ch <= '9') || ch == ';'; }

// The older text followed by the newer, read a character at a time.
struct Joined {
    std::string_view older, newer;
    std::size_t size() const { return older.size() + newer.size(); }
    char operator[](std::size_t i) const { return i < older.size() ? older[i] : newer[i - older.size()]; }
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
    if (end == escape + 1) {
        if (end >= text.size() || text[end] != '[')
            return cut;
        ++end;
    }
    while (end < text.size() && isParameter(text[end]) && end - escape < limit)
        ++end;
    return end < text.size() && AnsiParser::isFinal(text[end]) ? end + 1 : cut;
}
} // namespace

std::size_t keptTextStart(std::string_view older, std::string_view newer, std::size_t cut, bool utf8)
{
    if (cut == 0 || cut > older.size())
        return cut;
    if (older[cut - 1] == '\r' || (older[cut - 1] == '\n' && cut >= 2 && older[cut - 2] == '\r'))
        return cut; // already the start of a line
    if (const void* cr = std::memchr(older.data() + cut, '\r', older.size() - cut)) {
        std::size_t lineStart = std::size_t(static_cast<const char*>(cr) - older.data()) + 1;
        if (lineStart < older.size() && older[lineStart] == '\n')
            ++lineStart;
        return lineStart;
    }
    const Joined text{older, newer};
    const std::size_t past = pastSequence(text, cut);
    if (past != cut || !utf8)
        return past;
    // A character is at most four bytes: at most three continuation bytes follow its start.
    std::size_t start = cut;
    while (start < text.size() && start - cut < 3 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
        ++start;
    return start;
}

} // namespace tw
