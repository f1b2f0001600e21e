#pragma once
// The rules of the General Setup dialog that do not need a window.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Range checks when the focus leaves the two buffer boxes: not a whole number gives the
// default, otherwise the value is clamped.
std::string CheckCommandsRetained(const std::string& text); // 1..100, default "10"
std::string CheckScrollbackSize(const std::string& text);   // 8000..64000, default "16000"

// What Apply stores from the two boxes: the value the range check accepts ("$10" is sixteen).
std::uint16_t commandsRetainedFrom(const std::string& text);
std::uint16_t scrollbackSizeFrom(const std::string& text);

// Values read from an options file are brought into the ranges the dialog keeps them in, and
// font sizes into a range a font can have, so that nothing downstream overflows.
struct SetupVars;
void bringIntoRange(SetupVars& vars);
inline constexpr int LargestFontSize = 400;

// The options file keeps a file name in at most 255 bytes; a longer one is refused rather than
// cut, since the cut name would name another file. The refusal's text names the box, or
// nothing when the name fits.
std::optional<std::string> refuseStoredFileName(std::string_view name, std::string_view box);

// Which echo button is on after the three stored flags are put into the radio group in the
// order Command, Enter, None: the last marked one wins; -1 when none is marked.
int echoButtonFromFlags(bool echoCommand, bool echoEnter, bool echoNone);

} // namespace tw
