#include "net/BlockRepair.h"

#include <cstring>

namespace tw {

std::string repairBlock(std::string_view raw)
{
    const void* nul = std::memchr(raw.data(), '\0', raw.size());
    if (nul)
        raw = raw.substr(0, std::size_t(static_cast<const char*>(nul) - raw.data()));
    std::string block(raw);
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
