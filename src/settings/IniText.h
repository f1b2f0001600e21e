#pragma once
// The text of an INI file: "[Section]" lines, each followed by "key=value" lines. Keys and
// values are bytes. The spelling is the one Qt's settings class writes and reads, so a file
// written by either is read by the other:
// - a value is written as it is where it is valid UTF-8; a backslash, a double quote and the
//   control characters are written as escapes (\\, \", \n, \t, \x1f ...); a value that
//   begins or ends with a space or holds ';', ',' or '=' stands between double quotes, and
//   one that begins with '@' gets a second '@';
// - a byte that is not part of valid UTF-8 (a file name written on another system) is written
//   as \x and its two hexadecimal digits, and read back as that byte. (\x with a larger
//   number, as Qt writes characters beyond U+00FF, reads as that character in UTF-8.);
// - keys and section names keep letters, digits, '_', '-' and '.', and write every other byte
//   as '%' and two hexadecimal digits.
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

class IniText {
public:
    // Reads the lines it understands; anything else (comments, lines without '=', lines before
    // the first section, a value in a form only Qt's own types use) is passed over, so that it
    // is never written back.
    static IniText parse(std::string_view bytes);
    // The whole file, sections and keys in byte order.
    std::string text() const;

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    void set(const std::string& section, const std::string& key, std::string value);
    void erase(const std::string& section, const std::string& key);

    using Section = std::map<std::string, std::string, std::less<>>;
    const std::map<std::string, Section, std::less<>>& sections() const { return sections_; }

    bool operator==(const IniText&) const = default;

private:
    std::map<std::string, Section, std::less<>> sections_;
};

} // namespace tw
