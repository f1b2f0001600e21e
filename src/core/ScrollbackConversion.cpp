#include "core/ScrollbackConversion.h"

#include "base/Utf8.h"
#include "core/Cp437.h"
#include "core/ScreenModel.h"
#include "net/AnsiColour.h"
#include "net/AnsiParser.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tw {

namespace {

constexpr char Escape = AnsiParser::Escape;
constexpr char32_t EscapeArrow = 0x2190; // the glyph of an escape character shown as text
// The largest number a classic sequence reads; a longer one makes it text.
constexpr int ClassicLargest = 99;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Colours {
    CellColour foreground = 7, background = 0;
    bool operator==(const Colours&) const = default;
};

int nearestColour(ColorRef c, const Palette& palette)
{
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 16; ++i) {
        const long dr = redOf(c) - redOf(palette[i]), dg = greenOf(c) - greenOf(palette[i]),
                   db = blueOf(c) - blueOf(palette[i]);
        const long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// The parameters of a sequence as the interpreter reads them: a ";" with no digits before it
// is 0, and the list ends where no digit follows. `longAt` is the index of the first number of
// three or more digits (which classic mode does not take as a parameter), or -1.
struct Parameters {
    std::vector<int> values;
    int longAt = -1;
};

Parameters readParameters(std::string_view text)
{
    Parameters out;
    std::size_t at = 0;
    while (std::any_of(text.begin() + std::ptrdiff_t(at), text.end(), isDigit)) {
        if (text[at] == ';') {
            out.values.push_back(0);
            ++at;
            continue;
        }
        int value = 0;
        std::size_t digits = 0;
        for (; at < text.size() && isDigit(text[at]); ++at, ++digits)
            value = std::min(value * 10 + (text[at] - '0'), 99999);
        if (digits >= 3 && out.longAt < 0)
            out.longAt = int(out.values.size());
        out.values.push_back(value);
        if (at < text.size() && text[at] == ';')
            ++at;
    }
    return out;
}

// How many parameters a command reads: the colour command all of them, the moves one, the
// cursor position two, the others none.
std::size_t parametersRead(char final, std::size_t count)
{
    switch (final) {
    case 'm': return count;
    case 'A': case 'B': case 'C': case 'D': return std::min<std::size_t>(count, 1);
    case 'H': case 'f': return std::min<std::size_t>(count, 2);
    default: return 0;
    }
}

class Converter {
public:
    Converter(std::string_view in, bool toModern, const Palette& palette)
        : p_(in.data()), end_(p_ + in.size()), toModern_(toModern), palette_(palette)
    {
        // The old mode's interpreter follows the text to know its colours; its own screen
        // stays one short line, emptied as it grows.
        shadow_.setColumnCount(ScreenLine::Width);
        shadow_.setRowCount(1);
        parser_.setModern(!toModern);
        parser_.reset();
        shadow_.restart();
        out_.reserve(in.size() + in.size() / 4);
    }

    std::string run(std::size_t capacity)
    {
        while (p_ < end_) {
            cut(*p_ == '\r');
            const bool whole = *p_ == Escape ? sequence() : character();
            if (!whole)
                break;
        }
        syncColours();
        out_.append(p_, end_); // a character or sequence that waits for the rest
        return fitted(capacity);
    }

private:
    bool fromModern() const { return !toModern_; }

    // One character outside a sequence; false when the text ends inside it.
    bool character()
    {
        const auto b = std::uint8_t(*p_);
        if (b >= ScreenModel::Bell && b <= ScreenModel::CarriageReturn) {
            control(char(b));
            return true;
        }
        if (b < 0x80 || !fromModern()) {
            glyph(b >= 0x20 && b < 0x7F ? char32_t(b) : char32_t(cp437ToUnicode(b)), 1, 1);
            return true;
        }
        const utf8::Decoded d = utf8::decode(p_, end_);
        if (d.status == utf8::Status::Incomplete)
            return false;
        if (d.status == utf8::Status::Valid)
            glyph(d.code, utf8::isWide(d.code) ? 2 : 1, d.length);
        else
            glyph(cp437ToUnicode(b), 1, 1);
        return true;
    }

    // A sequence at an escape character, read as the old mode's interpreter reads it; false
    // when the text ends inside it.
    bool sequence()
    {
        const AnsiParser::Scan scan = AnsiParser::scanSequence(p_, end_);
        if (scan.kind == AnsiParser::Scan::Incomplete)
            return false;
        const char* const start = std::exchange(p_, scan.end);
        if (scan.kind == AnsiParser::Scan::Command)
            command(std::string_view(start, std::size_t(scan.end - start)));
        else if (scan.kind == AnsiParser::Scan::TooLong)
            shownAsText(start, scan.end);
        else
            broken(start, scan.end);
        return true;
    }

    // The sequence from start broke at q: what was collected shows as text, and the breaking
    // byte is read as it comes (an escape character there shows as text too).
    void broken(const char* start, const char* q)
    {
        shownAsText(start, q);
        p_ = q;
        if (*q == Escape) {
            shownAsText(q, q + 1);
            ++p_;
        }
    }

    // A complete sequence, ESC [ parameters final.
    void command(std::string_view whole)
    {
        const char final = whole.back();
        const Parameters all = readParameters(whole.substr(2, whole.size() - 3));
        const std::size_t read = parametersRead(final, all.values.size());
        std::vector<int> values(all.values.begin(), all.values.begin() + std::ptrdiff_t(read));
        const bool shownToo = fromModern() ? false : all.longAt >= 0 && std::size_t(all.longAt) < read;
        if (shownToo) {
            // Classic mode shows the whole sequence when it meets the long number and carries
            // on without it: a colour command after the parameters before it, a move before
            // moving by its default.
            values.resize(std::size_t(all.longAt));
            if (final == 'm') {
                if (!values.empty())
                    parser_.feed(sequenceText(values, final));
                shownAsText(whole.data(), whole.data() + whole.size());
                return;
            }
            shownAsText(whole.data(), whole.data() + whole.size());
        }
        switch (final) {
        case 'm': case 'c': case 'd':
            // The colours are set before each character from the interpreter's state.
            if (!shownToo)
                parser_.feed(whole);
            return;
        case 'A': case 'B': case 'C': case 'D':
            move(values, final);
            return;
        case 'H': case 'f':
            if (!toModern_)
                for (int& v : values)
                    v = std::min(v, ClassicLargest);
            out_ += sequenceText(values, final);
            return;
        default:
            out_ += sequenceText({}, final); // the others read no parameters
            return;
        }
    }

    // A relative move; classic mode takes a long one in steps it can read.
    void move(const std::vector<int>& values, char final)
    {
        if (values.empty() || toModern_ || values[0] <= ClassicLargest) {
            out_ += sequenceText(values, final);
            return;
        }
        for (int left = values[0]; left > 0; left -= ClassicLargest)
            out_ += sequenceText({std::min(left, ClassicLargest)}, final);
    }

    static std::string sequenceText(const std::vector<int>& values, char final)
    {
        std::string s{Escape, '['};
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0)
                s += ';';
            s += std::to_string(values[i]);
        }
        s += final;
        return s;
    }

    void control(char c)
    {
        // A backspace blanks a cell in the current colours.
        if (c == ScreenModel::Backspace)
            syncColours();
        shown();
        out_ += c;
        ++p_;
    }

    void glyph(char32_t code, int width, std::size_t length)
    {
        syncColours();
        shown();
        emitGlyph(code, width);
        p_ += length;
    }

    // Bytes the old mode showed as text although they form (part of) a sequence.
    void shownAsText(const char* from, const char* to)
    {
        syncColours();
        shown();
        for (; from < to; ++from)
            emitGlyph(*from == Escape ? EscapeArrow : char32_t(std::uint8_t(*from)), 1);
    }

    void emitGlyph(char32_t code, int width)
    {
        if (toModern_) {
            utf8::append(out_, code);
            return;
        }
        const std::uint8_t b = unicodeToCp437(code);
        // A byte that acts in the terminal cannot show its glyph.
        const bool acts = b == 0 || b == std::uint8_t(Escape) ||
                          (b >= ScreenModel::Bell && b <= ScreenModel::CarriageReturn);
        if (code == 0)
            out_ += '\0';
        else if (!acts)
            out_ += char(b);
        else
            out_.append(std::size_t(width), '?');
    }

    // The old mode's interpreter shows a character (or acts on a control character): it
    // applies its pending attributes there. Any character will do for that.
    void shown()
    {
        parser_.feed('x');
        if (shadow_.LineCount() > 2)
            shadow_.restart();
    }

    Colours target(std::pair<CellColour, CellColour> c) const
    {
        const auto sixteen = [&](CellColour v) -> CellColour {
            return isRgb(v) ? CellColour(nearestColour(palette_.colourOf(v), palette_)) : (v & 15);
        };
        Colours t{sixteen(c.first), sixteen(c.second)};
        // Classic sequences make a background bright only with reverse video, which takes the
        // foreground's brightness for it.
        if (!toModern_ && (t.background & 8) && (t.foreground & 8))
            t.background &= 7;
        return t;
    }

    std::string colourSequence(Colours c) const
    {
        if (c == Colours{})
            return {Escape, '[', '0', 'm'};
        const auto digit = [](CellColour v) { return char('0' + PcToAnsi[v & 7]); };
        std::string s{Escape, '[', '0', ';'};
        if (!toModern_ && (c.background & 8)) {
            // Bold brightens the foreground, reverse swaps it with the background.
            s += {'1', ';', '7', ';', '3', digit(c.background), ';', '4', digit(c.foreground), 'm'};
            return s;
        }
        if (c.foreground & 8)
            s += "1;";
        s += {'3', digit(c.foreground), ';'};
        s += (c.background & 8) ? "10" : "4";
        s += {digit(c.background), 'm'};
        return s;
    }

    void syncColours()
    {
        const Colours want = target(parser_.nextColours());
        if (want == written_)
            return;
        out_ += colourSequence(want);
        written_ = want;
    }

    // Places where the text may start when it has to be shortened: before a line end that
    // begins a new line (lineStart) or before any character, with the colours set there.
    struct Cut {
        std::size_t at;
        Colours colours;
        bool lineStart;
    };
    void cut(bool lineEnd)
    {
        if (cuts_.empty() || cuts_.back().at != out_.size())
            cuts_.push_back({out_.size(), written_, afterLineEnd_});
        else
            cuts_.back().lineStart = cuts_.back().lineStart || afterLineEnd_;
        afterLineEnd_ = lineEnd;
    }

    std::string fitted(std::size_t capacity)
    {
        if (out_.size() <= capacity)
            return std::move(out_);
        const auto fits = [&](const Cut& c) { return out_.size() - c.at + colourSequence(c.colours).size() <= capacity; };
        auto best = std::find_if(cuts_.begin(), cuts_.end(), [&](const Cut& c) { return c.lineStart && fits(c); });
        if (best == cuts_.end())
            best = std::find_if(cuts_.begin(), cuts_.end(), fits);
        if (best == cuts_.end())
            return colourSequence(written_); // nothing of it fits beside its colours
        return colourSequence(best->colours) + out_.substr(best->at);
    }

    const char* p_;
    const char* const end_;
    const bool toModern_;
    const Palette& palette_;
    ScreenModel shadow_;
    AnsiParser parser_{shadow_};
    std::string out_;
    Colours written_; // what the new mode's interpreter holds at the end of out_
    std::vector<Cut> cuts_;
    bool afterLineEnd_ = false;
};

} // namespace

std::string convertScrollback(std::string_view buffer, bool toModern, const Palette& palette,
                              std::size_t capacity)
{
    return Converter(buffer, toModern, palette).run(capacity);
}

} // namespace tw
