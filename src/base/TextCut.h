#pragma once
// Limits on texts count characters. How the bytes of a text make characters depends on where
// the text comes from: the game's text is one character per byte, or UTF-8 in Modern Server
// Mode; file names and the note file are UTF-8.
#include <cstddef>
#include <string_view>

namespace tw {

enum class TextCoding {
    Bytes, // one character per byte
    Utf8,  // a valid UTF-8 sequence is one character, and so is every byte outside one
};

std::size_t characterCount(std::string_view text, TextCoding coding);

// The first maxCharacters characters of text.
std::string_view cutToCharacters(std::string_view text, std::size_t maxCharacters, TextCoding coding);

// The longest start of text that takes at most maxBytes bytes and ends between two characters.
std::string_view cutToBytes(std::string_view text, std::size_t maxBytes, TextCoding coding);

// The most bytes maxCharacters characters can take.
constexpr std::size_t bytesForCharacters(std::size_t maxCharacters, TextCoding coding)
{
    return coding == TextCoding::Utf8 ? 4 * maxCharacters : maxCharacters;
}

} // namespace tw
