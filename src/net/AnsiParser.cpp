#include "net/AnsiParser.h"

#include "base/Utf8.h"
#include "core/Cp437.h"
#include "net/AnsiColour.h"

#include <algorithm>
#include <utility>

namespace tw {

namespace {
bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }
// Modern mode reads numbers of any length; they stop growing at 99999.
int longNumber(const char* digits, std::size_t n)
{
    int value = 0;
    for (std::size_t i = 0; i < n; ++i)
        value = std::min(value * 10 + (digits[i] - '0'), 99999);
    return value;
}
} // namespace

AnsiParser::Scan AnsiParser::scanSequence(const char* escape, const char* end)
{
    const char* q = escape + 1;
    if (q == end)
        return {Scan::Incomplete, end};
    if (*q != '[')
        return {Scan::Broken, q};
    ++q;
    while (q < end && (isDigit(*q) || *q == ';')) {
        ++q;
        if (std::size_t(q - escape) > EscapeLimit)
            return {Scan::TooLong, q};
    }
    if (q == end)
        return {Scan::Incomplete, end};
    return {isFinal(*q) ? Scan::Command : Scan::Broken, isFinal(*q) ? q + 1 : q};
}

void AnsiParser::reset()
{
    escapeLength_ = 0;
    resetColours();
    pending_ = false;
    savedForeground_ = 7;
    savedBackground_ = 0;
    cursorSaved_ = false;
    savedColumn_ = 1;
    savedRow_ = 1;
}

void AnsiParser::resetColours()
{
    foreground_ = 7;
    background_ = 0;
    bold_ = blink_ = reverse_ = false;
    brightenedByBold_ = false;
}

namespace {
bool isPlain(char ch) { return std::uint8_t(ch) >= 14 && ch != AnsiParser::Escape; }
} // namespace

void AnsiParser::feed(std::string_view text)
{
    if (modern_) {
        feedModern(text);
        return;
    }
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char ch = *p;
        if (escapeLength_ != 0 || ch == Escape) {
            feedEscape(ch);
            ++p;
            continue;
        }
        if (!isPlain(ch)) {
            showCharacter(ch);
            ++p;
            continue;
        }
        // A run of ordinary characters goes to the screen in one piece.
        const char* runEnd = p + 1;
        while (runEnd < end && isPlain(*runEnd))
            ++runEnd;
        if (pending_)
            applyPending();
        screen_.putRun(p, std::size_t(runEnd - p), foreground_, background_);
        p = runEnd;
    }
}

void AnsiParser::feedModern(std::string_view text)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const auto b = std::uint8_t(*p);
        if (escapeLength_ != 0 && b >= 0x80) {
            // A character of more than one byte breaks the sequence and is read afresh.
            const std::size_t n = escapeLength_;
            escapeLength_ = 0;
            showAsText({escape_.data(), n});
            continue;
        }
        if (escapeLength_ != 0 || b == std::uint8_t(Escape)) {
            feedEscape(char(b));
            ++p;
            continue;
        }
        if (b >= 0x20 && b < 0x7F) {
            // A run of printable ASCII goes to the screen in one piece.
            const char* runEnd = p + 1;
            while (runEnd < end && std::uint8_t(*runEnd) >= 0x20 && std::uint8_t(*runEnd) < 0x7F)
                ++runEnd;
            if (pending_)
                applyPending();
            screen_.putRun(p, std::size_t(runEnd - p), foreground_, background_);
            p = runEnd;
            continue;
        }
        if (b < 0x80) {
            showCharacter(char(b));
            ++p;
            continue;
        }
        const utf8::Decoded d = utf8::decode(p, end);
        if (d.status == utf8::Status::Incomplete)
            return; // the rest of the character has not arrived yet
        if (pending_)
            applyPending();
        if (d.status == utf8::Status::Valid)
            screen_.putCode(d.code, utf8::isWide(d.code) ? 2 : 1, foreground_, background_);
        else
            screen_.putCode(cp437ToUnicode(b), 1, foreground_, background_);
        p += d.length;
    }
}

// Control characters act; every other byte below 0x80 shows as its glyph (the escape
// character shown as text is an arrow, as ever).
void AnsiParser::showModern(std::uint8_t b)
{
    if (b >= ScreenModel::Bell && b <= ScreenModel::CarriageReturn)
        screen_.handleControl(b, foreground_, background_);
    else if (b >= 0x20 && b < 0x7F)
        screen_.putCode(b, 1, foreground_, background_);
    else
        screen_.putCode(cp437ToUnicode(b), 1, foreground_, background_);
}

void AnsiParser::feed(char ch)
{
    if (modern_) {
        feedModern({&ch, 1});
        return;
    }
    if (escapeLength_ == 0 && ch != Escape)
        showCharacter(ch);
    else
        feedEscape(ch);
}

void AnsiParser::showAsText(std::string_view text)
{
    for (const char ch : text)
        showCharacter(ch);
}

// The sequence collected so far and the character that broke it become plain text.
void AnsiParser::showEscapeAsText(char last)
{
    const std::size_t n = escapeLength_;
    escapeLength_ = 0;
    showAsText({escape_.data(), n});
    showCharacter(last);
}

void AnsiParser::feedEscape(char ch)
{
    if (ch == Escape) {
        if (escapeLength_ == 0) {
            escape_[0] = Escape;
            escapeLength_ = 1;
        } else {
            showEscapeAsText(ch);
        }
        return;
    }
    if (escapeLength_ == 1) {
        if (ch == '[') {
            escape_[1] = '[';
            escapeLength_ = 2;
        } else {
            showEscapeAsText(ch);
        }
        return;
    }
    if (isDigit(ch) || ch == ';') {
        escape_[escapeLength_++] = ch;
        if (escapeLength_ > EscapeLimit) {
            const std::size_t n = escapeLength_;
            escapeLength_ = 0;
            showAsText({escape_.data(), n});
        }
        return;
    }
    if (isFinal(ch)) {
        execute(ch);
        escapeLength_ = 0;
        return;
    }
    showEscapeAsText(ch); // another "[" or any other character
}

bool AnsiParser::nextParameter(int& value)
{
    if (parametersEnded_)
        return false;
    const char* p = escape_.data() + parameterPos_;
    const char* end = escape_.data() + escapeLength_;
    if (std::none_of(p, end, isDigit))
        return false;
    if (*p == ';') {
        ++parameterPos_;
        value = 0;
        return true;
    }
    std::size_t digits = 0;
    while (p + digits < end && isDigit(p[digits]))
        ++digits;
    if (digits >= 3 && !modern_) {
        // A number this long is no parameter: the whole sequence is shown, and the command
        // carries on without further parameters.
        parametersEnded_ = true;
        showAsText({escape_.data(), escapeLength_});
        showCharacter(final_);
        return false;
    }
    value = digits == 1 ? p[0] - '0' : digits == 2 ? (p[0] - '0') * 10 + (p[1] - '0') : longNumber(p, digits);
    parameterPos_ += digits;
    if (p + digits < end && p[digits] == ';')
        ++parameterPos_;
    return true;
}

void AnsiParser::execute(char final)
{
    parameterPos_ = 2;
    parametersEnded_ = false;
    final_ = final;
    // The count is read first: a parameter that turns out to be text moves the cursor.
    const auto count = [&] {
        int v = 0;
        return nextParameter(v) ? v : 1;
    };

    switch (final) {
    case 'A': {
        const int n = count();
        screen_.moveCursor(screen_.column(), std::max(screen_.row() - n, 1));
        break;
    }
    case 'B': {
        const int n = count();
        const int row = screen_.row();
        // Rows are line numbers of the whole layout, so past the first screen the bottom
        // limit lies above the cursor; moving down never moves the cursor up.
        const int limit = std::max(screen_.RowCount(), row);
        screen_.moveCursor(screen_.column(), std::min(row + n, limit));
        break;
    }
    case 'C': {
        const int n = count();
        screen_.moveCursor(std::min(screen_.column() + n, screen_.ColumnCount()), screen_.row());
        break;
    }
    case 'D': {
        const int n = count();
        screen_.moveCursor(std::max(screen_.column() - n, 1), screen_.row());
        break;
    }
    case 'H':
    case 'f': {
        int newRow = 1, newColumn = 1;
        if (!nextParameter(newRow) || newRow < 1)
            newRow = 1;
        if (!nextParameter(newColumn) || newColumn < 1)
            newColumn = 1;
        if (newColumn <= screen_.ColumnCount() && newRow <= screen_.RowCount())
            screen_.moveCursor(newColumn, newRow);
        break;
    }
    case 'J':
        screen_.clearAll();
        break;
    case 'K':
        screen_.eraseToEndOfLine();
        break;
    case 'c':
        savedForeground_ = foreground_;
        savedBackground_ = background_;
        break;
    case 'd':
        foreground_ = savedForeground_;
        background_ = savedBackground_;
        break;
    case 'm':
        colourCommand();
        break;
    case 's':
        savedColumn_ = screen_.column();
        savedRow_ = screen_.row();
        cursorSaved_ = true;
        break;
    case 'u':
        if (cursorSaved_) {
            screen_.moveCursor(savedColumn_, savedRow_);
            cursorSaved_ = false;
        }
        break;
    default:
        break;
    }
}

void AnsiParser::colourCommand()
{
    if (escapeLength_ == 2)
        resetColours();
    int value = 0;
    while (nextParameter(value)) {
        if (modern_ && modernColour(value))
            continue;
        if (value == 0) {
            resetColours();
        } else if (value == 1) {
            bold_ = true;
            pending_ = true;
        } else if (value == 5) {
            blink_ = true;
            pending_ = true;
        } else if (value == 7) {
            reverse_ = true;
            pending_ = true;
        } else if (value >= 30 && value <= 39) {
            if (value <= 37) {
                foreground_ = AnsiToPc[std::size_t(value - 30)];
                brightenedByBold_ = false;
            }
            pending_ = true;
        } else if (value >= 40 && value <= 47) {
            background_ = AnsiToPc[std::size_t(value - 40)];
            pending_ = true;
        }
    }
}

} // namespace tw

namespace tw {

// The colour parameters only modern mode knows; false for the others.
bool AnsiParser::modernColour(int value)
{
    if (value >= 90 && value <= 97) {
        foreground_ = AnsiToPc[std::size_t(value - 90)] | 8u;
        brightenedByBold_ = false;
    } else if (value >= 100 && value <= 107) {
        background_ = AnsiToPc[std::size_t(value - 100)] | 8u;
    } else if (value == 22) {
        bold_ = false;
        if (brightenedByBold_ && !isRgb(foreground_))
            foreground_ &= ~CellColour(8);
        brightenedByBold_ = false;
    } else if (value == 38 || value == 48) {
        CellColour colour = 0;
        if (!extendedColour(colour))
            return true;
        if (value == 48) {
            background_ = colour;
        } else {
            foreground_ = colour;
            brightenedByBold_ = false;
        }
    } else if (value == 39) {
        foreground_ = 7;
        brightenedByBold_ = false;
    } else if (value == 49) {
        background_ = 0;
    } else {
        return false;
    }
    pending_ = true;
    return true;
}

// The colour after 38 or 48: 5;n or 2;r;g;b. A missing or out-of-range value leaves the
// colour as it was; what was read is used up.
bool AnsiParser::extendedColour(CellColour& colour)
{
    int kind = 0;
    if (!nextParameter(kind))
        return false;
    if (kind == 5) {
        int n = 0;
        if (!nextParameter(n) || n > 255)
            return false;
        colour = xtermColour(n);
        return true;
    }
    if (kind != 2)
        return false;
    int r = 0, g = 0, b = 0;
    if (!nextParameter(r) || !nextParameter(g) || !nextParameter(b) || r > 255 || g > 255 || b > 255)
        return false;
    colour = rgbCellColour(r, g, b);
    return true;
}

} // namespace tw
