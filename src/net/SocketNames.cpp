#include "net/SocketNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include <arpa/inet.h>
#include <netdb.h>

namespace tw {

namespace {

struct ProtocolEntry {
    std::string_view name;
    int number;
};

constexpr std::array Protocols = std::to_array<ProtocolEntry>({
    {"ip", 0}, {"icmp", 1}, {"ggp", 2}, {"tcp", 6}, {"pup", 12},
    {"udp", 17}, {"idp", 22}, {"nd", 77}, {"raw", 255},
});

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isdigit(c) != 0;
    });
}

// The protocol text the service database is asked with: a number becomes its name.
std::string lookupProtocol(const std::string& protocol)
{
    if (allDigits(protocol)) {
        if (auto number = protocolNumber(protocol))
            return protocolName(*number);
    }
    return lowerCase(protocol);
}

} // namespace

std::optional<int> protocolNumber(const std::string& text)
{
    if (allDigits(text)) {
        // More than nine digits cannot be a protocol and would overflow.
        if (text.size() > 9)
            return std::nullopt;
        return std::stoi(text);
    }
    const std::string lower = lowerCase(text);
    for (const ProtocolEntry& entry : Protocols) {
        if (entry.name == lower)
            return entry.number;
    }
    return std::nullopt;
}

std::string protocolName(int number)
{
    for (const ProtocolEntry& entry : Protocols) {
        if (entry.number == number)
            return std::string(entry.name);
    }
    return {};
}

std::optional<std::string> tlsHost(const std::string& address)
{
    static constexpr std::string_view Scheme = "tls://";
    if (address.size() <= Scheme.size() ||
        !std::equal(Scheme.begin(), Scheme.end(), address.begin(),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); }))
        return std::nullopt;
    return address.substr(Scheme.size());
}

bool isDottedAddress(const std::string& text)
{
    int parts = 0;
    std::size_t i = 0;
    while (true) {
        std::size_t start = i;
        int value = 0;
        while (i < text.size() && i - start < 4 && std::isdigit(static_cast<unsigned char>(text[i])))
            value = value * 10 + (text[i++] - '0');
        const std::size_t digits = i - start;
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        ++parts;
        if (i == text.size())
            return parts == 4;
        if (text[i] != '.' || parts == 4)
            return false;
        ++i;
    }
}

std::optional<std::uint16_t> servicePort(const std::string& service, const std::string& protocol)
{
    if (service.empty())
        return std::nullopt;
    const std::string proto = lookupProtocol(protocol);
    // The program runs on one thread, so the database's static result is safe to read here.
    const servent* entry = getservbyname(service.c_str(), proto.empty() ? nullptr : proto.c_str());
    if (!entry)
        return std::nullopt;
    return ntohs(static_cast<std::uint16_t>(entry->s_port));
}

std::string serviceName(std::uint16_t port, const std::string& protocol)
{
    const std::string proto = lookupProtocol(protocol);
    const servent* entry = getservbyport(static_cast<int>(htons(port)),
                                         proto.empty() ? nullptr : proto.c_str());
    return entry && entry->s_name ? std::string(entry->s_name) : std::string();
}

PortName parsePort(const std::string& text, const std::string& protocol)
{
    if (!allDigits(text))
        return {servicePort(text, protocol).value_or(0), text};
    const unsigned long value = text.size() <= 5 ? std::stoul(text) : 65536;
    if (value > 65535)
        return {};
    const auto number = static_cast<std::uint16_t>(value);
    return {number, serviceName(number, protocol)};
}

} // namespace tw
