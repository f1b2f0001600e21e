#include "net/BlockRepair.h"

#include <algorithm>
#include <iterator>

namespace tw {

std::string repairBlock(std::string_view raw)
{
    std::string block;
    block.reserve(raw.size());
    std::copy_if(raw.begin(), raw.end(), std::back_inserter(block), [](char c) { return c != '\0'; });
    for (std::size_t i = 0; i + 1 < block.size(); ++i) {
        if (block[i] == '\n' && block[i + 1] == '\r') {
            block[i] = '\r';
            block[i + 1] = '\n';
            ++i;
        }
    }
    return block;
}

} // namespace tw
