#pragma once
// Today's servers end lines with a line feed alone, with CR LF or with the old LF CR, and a
// line end may be split between two reads. Every line end becomes CR LF, once, so that the
// colour view, the plain view, the log and the triggers all see the same lines.
#include <string>
#include <string_view>

namespace tw {

// A CR or LF directly followed by the other one is one line end; any other CR or LF is one
// of its own. NUL bytes are dropped. `half` is the CR or LF that ended the block before (0
// at the start of a connection, or when the block before ended otherwise): its partner at
// the start of this block belongs to that line end.
std::string modernLineEnds(std::string_view block, char& half);

} // namespace tw
