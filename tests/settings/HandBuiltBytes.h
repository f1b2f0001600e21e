#pragma once
// Assembles options-file bytes by hand, field by field, so that tests do not check the writer
// against itself.
#include <cstdint>
#include <string>
#include <string_view>

namespace tw::test {

struct HandBuiltBytes {
    std::string bytes;

    HandBuiltBytes& byte(std::uint8_t b)
    {
        bytes.push_back(char(b));
        return *this;
    }
    HandBuiltBytes& zeros(std::size_t n)
    {
        bytes.append(n, '\0');
        return *this;
    }
    HandBuiltBytes& raw(std::string_view s)
    {
        bytes.append(s);
        return *this;
    }
    HandBuiltBytes& word(std::uint16_t w) { return byte(w & 0xFF).byte(w >> 8); }
    HandBuiltBytes& dword(std::uint32_t d)
    {
        return byte(d & 0xFF).byte((d >> 8) & 0xFF).byte((d >> 16) & 0xFF).byte(d >> 24);
    }
    // A counted string in a field of size bytes: length byte, text, zeros.
    HandBuiltBytes& counted(std::string_view text, std::size_t size)
    {
        byte(std::uint8_t(text.size())).raw(text);
        return zeros(size - 1 - text.size());
    }
    HandBuiltBytes& slot(std::string_view text) { return counted(text, 256); }
    HandBuiltBytes& stringItem(std::string_view text) { return word(256).slot(text); }
    HandBuiltBytes& flagItem(bool flag) { return word(1).byte(flag ? 1 : 0); }

    std::size_t size() const { return bytes.size(); }
};

} // namespace tw::test
