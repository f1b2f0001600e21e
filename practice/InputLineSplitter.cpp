#include "InputLineSplitter.h"

namespace tw::practice {

std::vector<InputLine> InputLineSplitter::feed(std::string_view bytes)
{
    std::vector<InputLine> lines;
    for (const char c : bytes) {
        if (c == '\r' || c == '\n') {
            endLine(c, lines);
            continue;
        }
        atLineStart_ = false;
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 8 || byte == 127) {
            // Backspace and delete from raw terminals take back the last character.
            if (!partial_.empty() && !tooLong_)
                partial_.pop_back();
            continue;
        }
        if (byte < 32 && c != '\t')
            continue; // other control bytes (NUL, ESC ...) are noise in a command
        if (partial_.size() >= kMaxLineLength) {
            tooLong_ = true;
            continue;
        }
        partial_ += c == '\t' ? ' ' : c;
    }
    return lines;
}

void InputLineSplitter::endLine(char terminator, std::vector<InputLine>& lines)
{
    if (atLineStart_ && terminator != lastTerminator_) {
        // The other half of a CR LF (or LF CR) pair.
        atLineStart_ = false;
        lastTerminator_ = 0;
        return;
    }
    lines.push_back(InputLine{std::move(partial_), tooLong_});
    partial_.clear();
    tooLong_ = false;
    lastTerminator_ = terminator;
    atLineStart_ = true;
}

} // namespace tw::practice
