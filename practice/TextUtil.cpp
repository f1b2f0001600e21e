#include "TextUtil.h"

namespace tw::practice {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
} // namespace

std::string toLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::pair<std::string_view, std::string_view> splitFirstWord(std::string_view text)
{
    text = trim(text);
    std::size_t end = 0;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    return {text.substr(0, end), trim(text.substr(end))};
}

bool containsWord(std::string_view lowerText, std::string_view lowerWord)
{
    for (std::size_t at = lowerText.find(lowerWord); at != std::string_view::npos;
         at = lowerText.find(lowerWord, at + 1)) {
        const bool startsWord = at == 0 || !isLetter(lowerText[at - 1]);
        const std::size_t after = at + lowerWord.size();
        const bool endsWord = after == lowerText.size() || !isLetter(lowerText[after]);
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

} // namespace tw::practice
