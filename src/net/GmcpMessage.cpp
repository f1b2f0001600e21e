#include "net/GmcpMessage.h"

#include <algorithm>
#include <cctype>

namespace tw {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// How deep the JSON's arrays and objects nest; brackets inside strings do not count.
std::size_t nesting(std::string_view json)
{
    std::size_t depth = 0, deepest = 0;
    bool inString = false, escaped = false;
    for (const char c : json) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            deepest = std::max(deepest, ++depth);
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return deepest;
}

} // namespace

bool GmcpMessage::is(std::string_view name) const
{
    return std::equal(package.begin(), package.end(), name.begin(), name.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

std::optional<GmcpMessage> parseGmcp(std::string_view payload)
{
    const std::size_t end = std::find_if(payload.begin(), payload.end(), isBlank) - payload.begin();
    if (end == 0)
        return std::nullopt;
    GmcpMessage message{std::string(payload.substr(0, end)), nullptr};
    std::string_view json = payload.substr(end);
    while (!json.empty() && isBlank(json.front()))
        json.remove_prefix(1);
    if (json.empty())
        return message;
    if (nesting(json) > MaxGmcpNesting)
        return std::nullopt;
    message.value = nlohmann::json::parse(json.begin(), json.end(), nullptr, false);
    if (message.value.is_discarded())
        return std::nullopt;
    return message;
}

} // namespace tw
