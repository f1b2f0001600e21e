#pragma once
// The terminal's text as a screen reader reads it: the plain text of the whole scrollback,
// followed as text is appended, so that each change can be told as what left at the start
// and what came at the end instead of as a new text.
#include "core/PlainText.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tw {

class ReadableText {
public:
    struct Change {
        // The text is new as a whole (a cleared or replaced buffer, another reading): tell it
        // so; the other fields are empty.
        bool whole = false;
        std::string removedFront;  // left at the start as old text was dropped
        std::string removedBack;   // taken back at the end by backspaces
        std::string inserted;      // came at the end
    };

    // text was appended to the scrollback, which is now buffer; utf8 is the terminal's reading.
    Change appended(const std::string& buffer, std::string_view text, bool utf8);
    // The plain text of buffer; read anew when the buffer is no longer the one followed.
    const std::string& text(const std::string& buffer, bool utf8);
    // Stops following (nobody listens): the next call reads the buffer anew.
    void forget() { followed_ = false; }
    // Whether a buffer is followed with this reading (else the next call reads anew).
    bool following(bool utf8) const { return followed_ && utf8 == stream_.utf8(); }
    // Whether buffer is the one last read, grown by added bytes at its end.
    bool inStep(const std::string& buffer, std::size_t added, bool utf8) const;

private:
    void readAnew(std::string_view buffer, bool utf8);
    void remember(std::string_view buffer);

    static constexpr std::size_t HeadLength = 64;
    std::string text_;
    PlainTextStream stream_;
    bool followed_ = false;
    // What identifies the buffer read: its size and its first bytes, which only a cut changes.
    std::size_t size_ = 0;
    std::string head_;
};

} // namespace tw
