#include "settings/MudChoice.h"

#include "base/WholeNumber.h"

#include <algorithm>
#include <cctype>

namespace tw {

std::optional<std::size_t> preselectedMud(const MudList& muds, const std::string& lastUsedLine)
{
    if (muds.empty())
        return std::nullopt;
    for (std::size_t i = 0; i < muds.size(); ++i)
        if (muds[i].line() == lastUsedLine)
            return i;
    return 0;
}

std::optional<std::size_t> mudForAddress(const MudList& muds, const std::string& host, std::uint16_t port)
{
    const auto sameHost = [&host](const std::string& address) {
        return std::equal(address.begin(), address.end(), host.begin(), host.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    for (std::size_t i = 0; i < muds.size(); ++i)
        if (sameHost(muds[i].address) && leadingNumber(muds[i].port) == port)
            return i;
    return std::nullopt;
}

} // namespace tw
