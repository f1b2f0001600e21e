#pragma once
// Turns the options into the bytes of an "IDAB" options file.
#include "settings/OptionsData.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tw {

class OptionsFileWriter {
public:
    static constexpr std::size_t HeaderSize = 6;
    static constexpr std::uint16_t StringItemSize = 256;
    // A file with no MUDs, aliases or triggers has exactly this many bytes.
    static constexpr std::size_t EmptyListsFileSize = 10848;
    // The largest file it writes: every list at the 65535 entries a count word can hold (three
    // string items per MUD and trigger, two per alias).
    static constexpr std::size_t LargestFileSize =
        EmptyListsFileSize + std::size_t(65535) * (3 + 2 + 3) * (2 + StringItemSize);

    static std::string write(const OptionsData& data);

private:
    explicit OptionsFileWriter(std::string& out) : out_(out) {}

    void header();
    void word(std::uint16_t value);
    void dword(std::uint32_t value);
    void stringItem(const std::string& text);
    void flagItem(bool flag);
    // A list's count is one word; entries beyond what it can hold are not written.
    static std::uint16_t storedCount(std::size_t size);

    std::string& out_;
};

} // namespace tw
