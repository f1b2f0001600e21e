#pragma once
// UTF-8, one character at a time: decoding that says what is wrong with a bad sequence rather
// than guessing, and encoding. The callers decide what an invalid byte shows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tw::utf8 {

enum class Status : std::uint8_t {
    Valid,      // `code` holds the character, `length` its bytes (1 to 4)
    Invalid,    // the first byte starts no valid sequence here; `length` is 1
    Incomplete, // the bytes end inside a sequence that may still become valid
};

// Anything but Valid leaves `code` at the first byte's value, so a caller that shows such a
// byte in a one-byte character set has it at hand.
struct Decoded {
    char32_t code;
    std::uint8_t length;
    Status status;
};

// Decodes the character at p (p < end). Overlong forms, surrogates and values beyond U+10FFFF
// are invalid, so every character has exactly one spelling.
inline Decoded decode(const char* p, const char* end)
{
    const auto b0 = static_cast<std::uint8_t>(p[0]);
    if (b0 < 0x80)
        return {b0, 1, Status::Valid};
    int length;
    char32_t code;
    // The smallest second byte each lead allows, and the largest: this alone rules out
    // overlong forms, surrogates and values past U+10FFFF.
    std::uint8_t low = 0x80, high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        code = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        code = b0 & 0x0F;
        if (b0 == 0xE0)
            low = 0xA0;
        else if (b0 == 0xED)
            high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        code = b0 & 0x07;
        if (b0 == 0xF0)
            low = 0x90;
        else if (b0 == 0xF4)
            high = 0x8F;
    } else {
        return {b0, 1, Status::Invalid};
    }
    for (int i = 1; i < length; ++i) {
        if (p + i >= end)
            return {b0, 1, Status::Incomplete};
        const auto b = static_cast<std::uint8_t>(p[i]);
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF))
            return {b0, 1, Status::Invalid};
        code = (code << 6) | (b & 0x3F);
    }
    return {code, std::uint8_t(length), Status::Valid};
}

// Appends the UTF-8 form of code (which must be a character: at most U+10FFFF, no surrogate).
inline void append(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// The text as UTF-8: the bytes themselves when they are valid UTF-8, else every byte read as
// its Latin-1 character (a text file written by an older program).
std::string validOrLatin1(std::string_view bytes);

// Whether the character takes two cells in a terminal: the East Asian wide and fullwidth
// characters (CJK ideographs, kana, hangul, fullwidth forms, most emoji).
bool isWide(char32_t code);

} // namespace tw::utf8
