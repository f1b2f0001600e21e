#include "settings/SetupRules.h"

#include "base/WholeNumber.h"

namespace tw {

std::string CheckCommandsRetained(const std::string& text) { return clampedNumberText(text, 1, 100, "10"); }

std::string CheckScrollbackSize(const std::string& text)
{
    return clampedNumberText(text, 8000, 64000, "16000");
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
