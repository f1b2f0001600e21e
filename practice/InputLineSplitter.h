#pragma once
// Cuts the bytes a client sends into command lines. A line ends at LF or at CR; the second half
// of a CR LF or LF CR pair ends nothing more. Lines are bounded: the excess of an overlong line
// is dropped and the line is marked, so no client can make the server hold unbounded input.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tw::practice {

struct InputLine {
    std::string text;
    bool tooLong = false;

    bool operator==(const InputLine&) const = default;
};

class InputLineSplitter {
public:
    static constexpr std::size_t kMaxLineLength = 4096;

    std::vector<InputLine> feed(std::string_view bytes);
    std::size_t pendingSize() const { return partial_.size(); }

private:
    void endLine(char terminator, std::vector<InputLine>& lines);

    std::string partial_;
    bool tooLong_ = false;
    char lastTerminator_ = 0;
    bool atLineStart_ = false; // nothing but a terminator seen since the last line ended
};

} // namespace tw::practice
