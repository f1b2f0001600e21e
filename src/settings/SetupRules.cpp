#include "settings/SetupRules.h"

#include "base/WholeNumber.h"
#include "settings/SetupVars.h"

#include <algorithm>

namespace tw {

std::string CheckCommandsRetained(const std::string& text) { return clampedNumberText(text, 1, 100, "10"); }

std::string CheckScrollbackSize(const std::string& text)
{
    return clampedNumberText(text, 8000, 64000, "16000");
}

std::uint16_t commandsRetainedFrom(const std::string& text)
{
    return std::uint16_t(parseWholeNumber(CheckCommandsRetained(text)).value_or(10));
}

std::uint16_t scrollbackSizeFrom(const std::string& text)
{
    return std::uint16_t(parseWholeNumber(CheckScrollbackSize(text)).value_or(16000));
}

void bringIntoRange(SetupVars& v)
{
    v.CommandsRetained = std::clamp<std::uint16_t>(v.CommandsRetained, 1, 100);
    v.ScrollbackSize = std::clamp<std::uint16_t>(v.ScrollbackSize, 8000, 64000);
    v.FontSize = std::min<std::uint16_t>(v.FontSize, LargestFontSize);
    // The height is a pixel height, negative for a character height; 96 pixels to the inch.
    const std::int32_t tallest = LargestFontSize * 96 / 72;
    v.FontHeight = std::clamp(v.FontHeight, -tallest, tallest);
}

std::optional<std::string> refuseStoredFileName(std::string_view name, std::string_view box)
{
    constexpr std::size_t MaxStoredBytes = 255;
    if (name.size() <= MaxStoredBytes)
        return std::nullopt;
    return "The " + std::string(box) + " name is too long: an options file keeps at most 255 bytes of it.";
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
