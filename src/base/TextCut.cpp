#include "base/TextCut.h"

#include "base/Utf8.h"

#include <algorithm>

namespace tw {

namespace {

struct Prefix {
    std::size_t bytes;
    std::size_t characters;
};

// The first maxCharacters characters of text: their bytes and how many they are.
Prefix prefix(std::string_view text, std::size_t maxCharacters, TextCoding coding)
{
    if (coding == TextCoding::Bytes) {
        const std::size_t n = std::min(text.size(), maxCharacters);
        return {n, n};
    }
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    std::size_t characters = 0;
    for (; p < end && characters < maxCharacters; ++characters)
        p += utf8::decode(p, end).length; // a byte outside a valid sequence is one character
    return {std::size_t(p - begin), characters};
}

} // namespace

std::size_t characterCount(std::string_view text, TextCoding coding)
{
    return prefix(text, text.size(), coding).characters;
}

std::string_view cutToCharacters(std::string_view text, std::size_t maxCharacters, TextCoding coding)
{
    return text.substr(0, prefix(text, maxCharacters, coding).bytes);
}

std::string_view cutToBytes(std::string_view text, std::size_t maxBytes, TextCoding coding)
{
    if (text.size() <= maxBytes || coding == TextCoding::Bytes)
        return text.substr(0, maxBytes);
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    while (p < end) {
        const std::size_t length = utf8::decode(p, end).length;
        if (std::size_t(p - begin) + length > maxBytes)
            break;
        p += length;
    }
    return text.substr(0, std::size_t(p - begin));
}

} // namespace tw
