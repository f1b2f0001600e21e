#pragma once
// Reads the player's list files (triggers, aliases, hotkeys, MUD list) line by line, the way
// the program has always read them: every field holds at most 255 characters, and whatever a
// line has beyond that is skipped rather than read as the next field.
#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

class ListLineReader {
public:
    static constexpr std::size_t MaxFieldLength = 255;

    explicit ListLineReader(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }

    // The next line without its line end (CR LF or LF; the last line may have none), cut to
    // 255 characters. A carriage return ends the field as a line end would. At the end of the
    // bytes every further read gives an empty line.
    std::string readLine();

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

} // namespace tw
