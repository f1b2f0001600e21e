#include "settings/SetupRules.h"

#include "base/WholeNumber.h"

namespace tw {

namespace {
std::string clampText(const std::string& text, long low, long high, const char* fallback)
{
    const auto n = parseWholeNumber(text);
    if (!n)
        return fallback;
    if (*n < low)
        return std::to_string(low);
    if (*n > high)
        return std::to_string(high);
    return text;
}
} // namespace

std::string CheckCommandsRetained(const std::string& text) { return clampText(text, 1, 100, "10"); }

std::string CheckScrollbackSize(const std::string& text)
{
    return clampText(text, 8000, 64000, "16000");
}

int echoButtonFromFlags(bool echoCommand, bool echoEnter, bool echoNone)
{
    if (echoNone)
        return 2;
    if (echoEnter)
        return 1;
    if (echoCommand)
        return 0;
    return -1;
}

} // namespace tw
