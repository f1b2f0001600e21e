#include "core/PlainText.h"

#include "base/Utf8.h"
#include "core/Cp437.h"
#include "net/AnsiParser.h"

namespace tw {

namespace {

class Reader {
public:
    Reader(std::string_view buffer, bool utf8) : start_(buffer.data()), p_(start_), end_(p_ + buffer.size()), utf8_(utf8) {}

    std::string read()
    {
        out_.reserve(std::size_t(end_ - p_) + std::size_t(end_ - p_) / 4);
        while (p_ < end_) {
            if (*p_ == AnsiParser::Escape) {
                if (!escape())
                    break;
                continue;
            }
            if (!character())
                break;
        }
        return std::move(out_);
    }

    // How many bytes read() took; the rest is a character or sequence cut off by the end.
    std::size_t consumed() const { return std::size_t(p_ - start_); }
    // Backspaces that found nothing before them in this text.
    std::size_t takenBack() const { return takenBack_; }

private:
    // One character outside a sequence; false when the buffer ends inside it.
    bool character()
    {
        const auto b = static_cast<std::uint8_t>(*p_);
        if (b >= 0x80 && !utf8_) {
            utf8::append(out_, cp437ToUnicode(b));
            ++p_;
            return true;
        }
        if (b >= 0x80) {
            const utf8::Decoded d = utf8::decode(p_, end_);
            if (d.status == utf8::Status::Incomplete)
                return false;
            utf8::append(out_, d.status == utf8::Status::Valid ? d.code : cp437ToUnicode(b));
            p_ += d.length;
            return true;
        }
        if (b == '\r' && p_ + 1 < end_ && p_[1] == '\n')
            ++p_; // CR LF is one line end
        ++p_;
        shown(b);
        return true;
    }

    // A byte below 0x80 that reaches the text, in a sequence shown as text or outside one.
    void shown(std::uint8_t b)
    {
        switch (b) {
        case 0: case 7: case 11: case 12:
            return;
        case '\r': case '\n':
            out_ += '\n';
            return;
        case '\t':
            out_ += '\t';
            return;
        case 8:
            backspace();
            return;
        default:
            if (b >= 0x20 && b < 0x7F)
                out_ += char(b);
            else
                utf8::append(out_, cp437ToUnicode(b));
        }
    }

    void backspace()
    {
        if (out_.empty())
            ++takenBack_;
        if (out_.empty() || out_.back() == '\n')
            return;
        // Back over the continuation bytes to the character's first byte.
        std::size_t at = out_.size() - 1;
        while (at > 0 && (static_cast<std::uint8_t>(out_[at]) & 0xC0) == 0x80)
            --at;
        out_.resize(at);
    }

    // The sequence at an escape character, read as the interpreter reads it: a command is left
    // out, a broken sequence shows as text. False when the buffer ends inside it.
    bool escape()
    {
        const char* const start = p_;
        const AnsiParser::Scan scan = AnsiParser::scanSequence(p_, end_);
        switch (scan.kind) {
        case AnsiParser::Scan::Incomplete:
            return false;
        case AnsiParser::Scan::TooLong:
            showRaw(start, scan.end);
            [[fallthrough]];
        case AnsiParser::Scan::Command:
            p_ = scan.end;
            return true;
        case AnsiParser::Scan::Broken:
            break;
        }
        return brokenAt(start, scan.end);
    }

    // The sequence from start broke at q: what was collected shows as text, and so does the
    // breaking byte, unless it begins a character of more than one byte, which is read afresh.
    bool brokenAt(const char* start, const char* q)
    {
        showRaw(start, q);
        p_ = q;
        if (static_cast<std::uint8_t>(*q) < 0x80 || !utf8_)
            character();
        return true;
    }

    void showRaw(const char* from, const char* to)
    {
        for (; from < to; ++from)
            shown(static_cast<std::uint8_t>(*from));
    }

    const char* const start_;
    const char* p_;
    const char* const end_;
    const bool utf8_;
    std::string out_;
    std::size_t takenBack_ = 0;
};

} // namespace

std::string plainText(std::string_view buffer, bool utf8) { return Reader(buffer, utf8).read(); }

PlainTextStream::Piece PlainTextStream::read(std::string_view bytes)
{
    // A line feed that completes a carriage return read with the text before is no new line.
    if (afterCarriageReturn_ && pending_.empty() && !bytes.empty() && bytes.front() == '\n')
        bytes.remove_prefix(1);
    pending_.append(bytes);
    Reader reader(pending_, utf8_);
    Piece piece{reader.read(), reader.takenBack()};
    const std::size_t used = reader.consumed();
    afterCarriageReturn_ = used != 0 && used == pending_.size() && pending_.back() == '\r';
    pending_.erase(0, used);
    return piece;
}

void PlainTextStream::restart(bool utf8)
{
    utf8_ = utf8;
    pending_.clear();
    afterCarriageReturn_ = false;
}

} // namespace tw
