#include "DiagnosticCommands.h"

#include "Ansi.h"

#include <cstdio>

namespace tw::practice {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool DiagnosticCommands::flood(std::string_view count, ReplyBuilder& reply)
{
    if (count.empty() || count.size() > 7)
        return false;
    long lines = 0;
    for (const char c : count) {
        if (c < '0' || c > '9')
            return false;
        lines = lines * 10 + (c - '0');
    }
    if (lines < 1 || lines > kMaxFloodLines)
        return false;
    reply.reserve(reply.bytes().size() + static_cast<std::size_t>(lines) * 90);
    for (long number = 1; number <= lines; ++number)
        reply.line(floodLine(number));
    return true;
}

// Each line cycles through the colours so that a client's colour handling is busy too.
std::string DiagnosticCommands::floodLine(long number)
{
    char text[128];
    const int foreground = 31 + static_cast<int>(number % 7);
    const int paper = static_cast<int>((number / 7) % 8);
    const int ink = (paper + 4) % 8; // never the same colour as its background
    std::snprintf(text, sizeof text,
                  "\x1b[1;%dmFlood line %06ld\x1b[0m \x1b[%d;%dmThe quick brown fox jumps over the lazy dog.%s",
                  foreground, number, 30 + ink, 40 + paper,
                  std::string(ansi::kReset).c_str());
    return text;
}

std::optional<std::string> DiagnosticCommands::decodeHex(std::string_view hex)
{
    std::string bytes;
    std::size_t at = 0;
    while (at < hex.size()) {
        if (hex[at] == ' ') {
            ++at;
            continue;
        }
        if (at + 1 >= hex.size())
            return std::nullopt;
        const int high = hexValue(hex[at]);
        const int low = hexValue(hex[at + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
        at += 2;
    }
    if (bytes.empty())
        return std::nullopt;
    return bytes;
}

} // namespace tw::practice
