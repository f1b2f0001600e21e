#pragma once
// Text pasted into the command line, cut at its line ends (CR LF, or LF or CR alone): each
// whole line is entered as a command of its own, as if typed and followed by Enter; what
// follows the last line end stays in the command line, as typed but not yet entered.
#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct PastedText {
    std::vector<std::string> lines;
    std::string rest;

    static PastedText split(std::string_view text);
};

} // namespace tw
