#include "core/ColourText.h"

#include "base/Utf8.h"
#include "core/Cp437.h"

#include <cstdio>

namespace tw {

namespace {
std::string hex(ColorRef c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
    return text;
}
} // namespace

ColourText::ColourText(Form form, const Palette& palette, bool styleSheet)
    : form_(form), palette_(palette), styleSheet_(styleSheet)
{
    if (form_ != Form::Html)
        return;
    if (styleSheet_) {
        out_ = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Tarnwick history</title>\n<style>\n";
        for (int i = 0; i < 16; ++i)
            out_ += ".f" + std::to_string(i) + "{color:" + hex(palette_[i]) + "}.b" + std::to_string(i) +
                    "{background:" + hex(palette_[i]) + "}\n";
        out_ += "</style>\n</head>\n<body style=\"background:" + hex(palette_[0]) + "\">\n";
    }
    out_ += "<pre style=\"font-family:monospace;background:" + hex(palette_[0]) + "\">";
}

void ColourText::colours(const ScreenCell& cell)
{
    if (inSpan_ && cell.foreground == foreground_ && cell.background == background_)
        return;
    if (inSpan_)
        out_ += "</span>";
    inSpan_ = true;
    foreground_ = cell.foreground;
    background_ = cell.background;
    const bool rgb = isRgb(foreground_) || isRgb(background_);
    if (styleSheet_ && !rgb) {
        out_ += "<span class=\"f" + std::to_string(foreground_ % 16) + " b" + std::to_string(background_ % 16) +
                "\">";
        return;
    }
    out_ += "<span style=\"color:" + hex(palette_.colourOf(isRgb(foreground_) ? foreground_ : foreground_ % 16)) +
            ";background:" + hex(palette_.colourOf(isRgb(background_) ? background_ : background_ % 16)) + "\">";
}

void ColourText::character(char32_t c, bool modern)
{
    if (c & ScreenCell::RightHalf)
        return;
    if (!modern)
        c = cp437ToUnicode(std::uint8_t(c));
    if (c == 0)
        return;
    if (form_ == Form::Html) {
        switch (c) {
        case '<': out_ += "&lt;"; return;
        case '>': out_ += "&gt;"; return;
        case '&': out_ += "&amp;"; return;
        default: break;
        }
    }
    utf8::append(out_, c);
}

void ColourText::add(const ScreenLine& line, int first, int last, bool modern, bool lineEnd)
{
    for (int c = std::max(first, 1); c <= last && c <= ScreenLine::Width; ++c) {
        const ScreenCell& cell = line.cell(c);
        if (form_ == Form::Html)
            colours(cell);
        character(cell.character, modern);
    }
    if (!lineEnd)
        return;
    if (inSpan_)
        out_ += "</span>";
    inSpan_ = false;
    out_ += '\n';
}

void ColourText::addLines(const HistoryStore& store)
{
    ScreenLine cells;
    for (std::size_t i = 0; i < store.size(); ++i) {
        store.cells(i, cells);
        add(cells, 1, cells.written, store.modern(i), !store.continues(i));
    }
}

std::string ColourText::finish()
{
    if (form_ == Form::Html) {
        if (inSpan_)
            out_ += "</span>";
        inSpan_ = false;
        out_ += styleSheet_ ? "</pre>\n</body>\n</html>\n" : "</pre>";
    }
    return std::move(out_);
}

} // namespace tw
