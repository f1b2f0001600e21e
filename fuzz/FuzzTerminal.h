#pragma once
// The terminal the terminal targets share: its first four bytes choose the column and row
// counts, word wrap and the scrollback's capacity; the rest is the text received.
#include "core/Terminal.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace tw::fuzz {

struct TerminalInput {
    std::unique_ptr<Terminal> terminal;
    std::string_view text;
};

// Nothing when the input is too short to choose the shape.
inline TerminalInput terminalFrom(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return {};
    auto t = std::make_unique<Terminal>(8 + std::size_t(data[3]) * 8);
    t->setColumnCount(data[0] % 170);
    t->setRowCount(data[1] % 90);
    t->setWordWrap(data[2] & 1);
    return {std::move(t), std::string_view(reinterpret_cast<const char*>(data + 4), size - 4)};
}

} // namespace tw::fuzz
