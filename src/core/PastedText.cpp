#include "core/PastedText.h"

namespace tw {

PastedText PastedText::split(std::string_view text)
{
    PastedText pasted;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find_first_of("\r\n", start)) != std::string_view::npos;) {
        pasted.lines.emplace_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    pasted.rest = text.substr(start);
    return pasted;
}

} // namespace tw
