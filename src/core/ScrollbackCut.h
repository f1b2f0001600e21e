#pragma once
#include <cstddef>
#include <string_view>

namespace tw {

// Where the scrollback's kept text begins when its front is dropped. A cut at `cut` in
// `older` moves forward to the start of the next line of `older` when it has one; otherwise,
// when it falls inside an escape sequence, just past that sequence (which may run on into
// `newer`, the text appended behind), so that the sequence's rest never shows as text
// ("5mFlood line ..."). With utf8 a cut inside a character also moves past it. The result may
// lie beyond older.size() when the sequence ends in `newer`.
std::size_t keptTextStart(std::string_view older, std::string_view newer, std::size_t cut, bool utf8);

} // namespace tw
