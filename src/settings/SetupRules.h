#pragma once
// The rules of the General Setup dialog that do not need a window.
#include <string>

namespace tw {

// Range checks when the focus leaves the two buffer boxes: not a whole number gives the
// default, otherwise the value is clamped.
std::string CheckCommandsRetained(const std::string& text); // 1..100, default "10"
std::string CheckScrollbackSize(const std::string& text);   // 8000..64000, default "16000"

// Which echo button is on after the three stored flags are put into the radio group in the
// order Command, Enter, None: the last marked one wins; -1 when none is marked.
int echoButtonFromFlags(bool echoCommand, bool echoEnter, bool echoNone);

} // namespace tw
