#include "settings/IniText.h"

#include "base/Utf8.h"

#include <cstdint>

namespace tw {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

void appendHexEscape(std::string& out, char prefix1, char prefix2, unsigned char byte)
{
    out += prefix1;
    if (prefix2)
        out += prefix2;
    out += HexDigits[byte >> 4];
    out += HexDigits[byte & 15];
}

std::string escapedKey(std::string_view key)
{
    std::string out;
    for (const char c : key) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '_' || c == '-' || c == '.';
        if (plain)
            out += c;
        else
            appendHexEscape(out, '%', 0, static_cast<unsigned char>(c));
    }
    return out;
}

// A character number from an escape: a byte up to 0xFF, beyond it the character in UTF-8.
void appendEscaped(std::string& out, std::uint32_t value)
{
    if (value <= 0xFF)
        out += char(value);
    else if (value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF))
        utf8::append(out, char32_t(value));
}

std::optional<std::string> unescapedKey(std::string_view key)
{
    key = trimmed(key);
    if (key.empty())
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const char c = key[i];
        if (c == '%' && i + 2 < key.size() && isHexDigit(key[i + 1]) && isHexDigit(key[i + 2])) {
            out += char(hexValue(key[i + 1]) * 16 + hexValue(key[i + 2]));
            i += 2;
        } else if (c == '%' && i + 5 < key.size() && key[i + 1] == 'U' && isHexDigit(key[i + 2]) &&
                   isHexDigit(key[i + 3]) && isHexDigit(key[i + 4]) && isHexDigit(key[i + 5])) {
            std::uint32_t value = 0;
            for (std::size_t d = 2; d <= 5; ++d)
                value = value * 16 + std::uint32_t(hexValue(key[i + d]));
            appendEscaped(out, value);
            i += 5;
        } else if (c == '\\') {
            out += '/';
        } else {
            out += c;
        }
    }
    return out;
}

std::string escapedValue(std::string_view value)
{
    std::string out;
    if (!value.empty() && value.front() == '@')
        out += '@';
    bool quoted = false;
    // A reader takes every hexadecimal digit after \x, so a digit right after one is escaped too.
    bool afterHex = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == ';' || c == ',' || c == '=')
            quoted = true;
        if (afterHex && isHexDigit(c)) {
            appendHexEscape(out, '\\', 'x', byte);
            continue;
        }
        afterHex = false;
        switch (c) {
        case '\a': out += "\\a"; continue;
        case '\b': out += "\\b"; continue;
        case '\f': out += "\\f"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        case '\v': out += "\\v"; continue;
        case '"':
        case '\\':
            out += '\\';
            out += c;
            continue;
        default:
            break;
        }
        if (byte < 0x20) {
            appendHexEscape(out, '\\', 'x', byte);
            afterHex = true;
        } else if (byte < 0x80) {
            out += c;
        } else {
            const utf8::Decoded d = utf8::decode(value.data() + i, value.data() + value.size());
            if (d.status == utf8::Status::Valid) {
                out.append(value.substr(i, d.length));
                i += d.length - 1;
            } else {
                appendHexEscape(out, '\\', 'x', byte);
                afterHex = true;
            }
        }
    }
    if (quoted || (!out.empty() && (out.front() == ' ' || out.back() == ' ')))
        return '"' + out + '"';
    return out;
}

// The value after '=': quotes taken away, escapes read, blanks outside quotes trimmed, a ';'
// outside quotes starting a comment. Nothing for a value in a form of Qt's own types.
std::optional<std::string> unescapedValue(std::string_view raw)
{
    while (!raw.empty() && isBlank(raw.front()))
        raw.remove_prefix(1);
    std::string out;
    std::size_t kept = 0; // the length without blanks that trail outside quotes
    bool inQuotes = false;
    for (std::size_t i = 0; i < raw.size();) {
        const char c = raw[i++];
        if (c == '"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (c == ';' && !inQuotes)
            break;
        if (c != '\\') {
            out += c;
            if (inQuotes || !isBlank(c))
                kept = out.size();
            continue;
        }
        if (i == raw.size())
            break;
        const char e = raw[i++];
        switch (e) {
        case 'a': out += '\a'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'v': out += '\v'; break;
        case 'x':
        case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7': {
            const bool hex = e == 'x';
            std::uint32_t value = hex ? 0 : std::uint32_t(e - '0');
            bool any = !hex;
            while (i < raw.size() && (hex ? isHexDigit(raw[i]) : (raw[i] >= '0' && raw[i] <= '7'))) {
                // Past the largest character the number stands for nothing; the digits still belong to it.
                if (value <= 0x10FFFF)
                    value = value * (hex ? 16 : 8) + std::uint32_t(hex ? hexValue(raw[i]) : raw[i] - '0');
                any = true;
                ++i;
            }
            if (any)
                appendEscaped(out, value);
            else
                out += e;
            break;
        }
        default:
            out += e;
        }
        kept = out.size();
    }
    out.resize(kept);
    if (out.starts_with("@@"))
        return out.substr(1);
    if (out.starts_with("@"))
        return std::nullopt;
    return out;
}

} // namespace

IniText IniText::parse(std::string_view bytes)
{
    IniText ini;
    std::optional<std::string> section;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        const std::string_view line = trimmed(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section = close == std::string_view::npos ? std::nullopt : unescapedKey(line.substr(1, close - 1));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!section || equals == std::string_view::npos)
            continue;
        std::optional<std::string> key = unescapedKey(line.substr(0, equals));
        std::optional<std::string> value = unescapedValue(line.substr(equals + 1));
        if (key && value)
            ini.set(*section, *key, std::move(*value));
    }
    return ini;
}

std::string IniText::text() const
{
    std::string out;
    for (const auto& [name, keys] : sections_) {
        if (!out.empty())
            out += '\n';
        out += '[' + escapedKey(name) + "]\n";
        for (const auto& [key, value] : keys)
            out += escapedKey(key) + '=' + escapedValue(value) + '\n';
    }
    return out;
}

std::optional<std::string> IniText::value(std::string_view section, std::string_view key) const
{
    const auto s = sections_.find(section);
    if (s == sections_.end())
        return std::nullopt;
    const auto k = s->second.find(key);
    if (k == s->second.end())
        return std::nullopt;
    return k->second;
}

void IniText::set(const std::string& section, const std::string& key, std::string value)
{
    sections_[section][key] = std::move(value);
}

void IniText::erase(const std::string& section, const std::string& key)
{
    const auto s = sections_.find(section);
    if (s == sections_.end())
        return;
    s->second.erase(key);
    if (s->second.empty())
        sections_.erase(s);
}

} // namespace tw
