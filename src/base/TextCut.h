#pragma once
#include <cstddef>
#include <string_view>

namespace tw {

// The first maxBytes bytes of text, one to three bytes fewer when the cut would fall inside a
// UTF-8 character, so that a file name or a line cut to its limit stays readable text.
std::string_view cutToBytes(std::string_view text, std::size_t maxBytes);

} // namespace tw
