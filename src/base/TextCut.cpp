#include "base/TextCut.h"

namespace tw {

std::string_view cutToBytes(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    const auto continuation = [&](std::size_t i) { return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80; };
    std::size_t n = maxBytes;
    // A UTF-8 character is at most four bytes long; longer runs are not UTF-8 and are cut as bytes.
    while (n > 0 && maxBytes - n < 3 && continuation(n))
        --n;
    return text.substr(0, continuation(n) ? maxBytes : n);
}

} // namespace tw
