#include "core/ReadableText.h"

namespace tw {

namespace {
// How many bytes the last n characters of the last line take (a backspace stops at a line's
// start).
std::size_t tailOfLine(const std::string& text, std::size_t n)
{
    std::size_t at = text.size();
    for (; n > 0 && at > 0 && text[at - 1] != '\n'; --n) {
        --at;
        while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            --at;
    }
    return text.size() - at;
}
} // namespace

bool ReadableText::inStep(const std::string& buffer, std::size_t added, bool utf8) const
{
    return followed_ && utf8 == stream_.utf8() && buffer.size() == size_ + added &&
           buffer.compare(0, head_.size(), head_) == 0;
}

void ReadableText::remember(std::string_view buffer)
{
    size_ = buffer.size();
    head_.assign(buffer.substr(0, HeadLength));
    followed_ = true;
}

void ReadableText::readAnew(std::string_view buffer, bool utf8)
{
    stream_.restart(utf8);
    text_ = stream_.read(buffer).text;
    remember(buffer);
}

const std::string& ReadableText::text(const std::string& buffer, bool utf8)
{
    if (!inStep(buffer, 0, utf8))
        readAnew(buffer, utf8);
    return text_;
}

ReadableText::Change ReadableText::appended(const std::string& buffer, std::string_view text, bool utf8)
{
    Change change;
    const bool endsWithText = buffer.size() >= text.size() &&
                              buffer.compare(buffer.size() - text.size(), text.size(), text) == 0;
    if (!followed_ || utf8 != stream_.utf8()) {
        // Followed from here on: the text before the new one is read as it was.
        if (!endsWithText) {
            readAnew(buffer, utf8);
            return Change{true, {}, {}, {}};
        }
        readAnew(std::string_view(buffer).substr(0, buffer.size() - text.size()), utf8);
    }
    const bool grown = inStep(buffer, text.size(), utf8) && endsWithText;
    PlainTextStream::Piece piece = stream_.read(text);
    const std::size_t back = tailOfLine(text_, piece.takenBack);
    change.removedBack = text_.substr(text_.size() - back);
    text_.resize(text_.size() - back);
    if (grown) {
        text_ += piece.text;
        change.inserted = std::move(piece.text);
        remember(buffer);
        return change;
    }
    // Old text was dropped at the start: what is left of the text read so far must begin the
    // new reading, and the piece must end it; anything else is told as a new text.
    const std::string old = std::move(text_);
    readAnew(buffer, utf8);
    const std::size_t size = piece.text.size();
    if (text_.size() >= size && text_.compare(text_.size() - size, size, piece.text) == 0) {
        const std::size_t kept = text_.size() - size;
        if (kept <= old.size() && old.compare(old.size() - kept, kept, text_, 0, kept) == 0) {
            change.removedFront = old.substr(0, old.size() - kept);
            change.inserted = std::move(piece.text);
            return change;
        }
    }
    return Change{true, {}, {}, {}};
}

} // namespace tw
