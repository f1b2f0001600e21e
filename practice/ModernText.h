#pragma once
// What the world shows only in modern mode: text in UTF-8 (accents, a few CJK characters) and
// colours beyond the sixteen (the xterm 256-colour table and 24-bit colours).
#include "ReplyBuilder.h"

#include <string>

namespace tw::practice {

class ModernText {
public:
    // The sign at the Town Gate, in a colour of the 256-colour table.
    static std::string sign();
    // The "colours" command: the 256-colour table, a 24-bit ramp and a line of UTF-8 text.
    static void colours(ReplyBuilder& reply);
};

} // namespace tw::practice
