#pragma once
// Today's servers end lines with a line feed alone, which the terminal would run onto the
// line before; a carriage return put in front starts the new line at column 1.
#include <string>
#include <string_view>

namespace tw {

// CR LF, LF CR and a bare CR stay as they are. `previous` is the last byte of the block
// before (0 at the start of a connection) and becomes this block's last byte.
std::string startBareLineFeeds(std::string_view block, char& previous);

} // namespace tw
