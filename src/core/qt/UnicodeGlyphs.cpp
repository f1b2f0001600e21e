#include "core/qt/UnicodeGlyphs.h"

#include "base/Utf8.h"
#include "core/Cp437.h"
#include "core/ScreenModel.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace tw {

UnicodeGlyphs::UnicodeGlyphs(const CellGlyphs& cp437)
    : cp437_(cp437), width_(cp437.width()), height_(cp437.height()),
      font_(terminalFont(cp437.width(), cp437.height()))
{
    start();
}

void UnicodeGlyphs::start()
{
    first_.clear();
    ink_.clear();
    leftHalf_.clear();
    add(cp437_.glyph(' '), false); // cell 0: a blank for a right half without its left
    for (int b = 1; b < 256; ++b) {
        const char32_t u = cp437ToUnicode(std::uint8_t(b));
        if (u >= 0x80 && !first_.count(u))
            first_.emplace(u, add(cp437_.glyph(std::uint8_t(b)), false));
    }
}

std::size_t UnicodeGlyphs::add(CellGlyphs::Cell ink, bool leftHalf)
{
    const std::size_t at = leftHalf_.size();
    ink_.insert(ink_.end(), ink.begin(), ink.end());
    leftHalf_.push_back(leftHalf);
    return at;
}

CellGlyphs::Cell UnicodeGlyphs::cell(char32_t code)
{
    const bool rightHalf = code & ScreenCell::RightHalf;
    code &= ~ScreenCell::RightHalf;
    std::size_t at;
    if (const auto it = first_.find(code); it != first_.end()) {
        at = it->second;
    } else {
        if (first_.size() >= MaxCached)
            start();
        at = render(code, utf8::isWide(code));
        first_.emplace(code, at);
    }
    if (rightHalf)
        at = leftHalf_[at] ? at + 1 : 0;
    const std::size_t size = std::size_t(width_) * std::size_t(height_);
    return CellGlyphs::Cell(ink_.data() + at * size, size);
}

// Draws the character centred on one cell or two, squeezed sideways when it is wider.
std::size_t UnicodeGlyphs::render(char32_t code, bool wide)
{
    const int width = wide ? 2 * width_ : width_;
    QImage image(width, height_, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (code > 0x20 && code <= 0x10FFFF) {
        const QString text = QString::fromUcs4(&code, 1);
        const QFontMetricsF metrics(font_);
        const qreal advance = metrics.horizontalAdvance(text);
        const qreal baseline = height_ - std::ceil(metrics.descent());
        QPainter p(&image);
        p.setFont(font_);
        p.setPen(Qt::white);
        if (advance > width) {
            p.scale(width / advance, 1);
            p.drawText(QPointF(0, baseline), text);
        } else {
            p.drawText(QPointF((width - advance) / 2, baseline), text);
        }
    }
    std::vector<std::uint8_t> half(std::size_t(width_) * std::size_t(height_));
    std::size_t at = 0;
    for (int h = 0; h < (wide ? 2 : 1); ++h) {
        for (int y = 0; y < height_; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y)) + h * width_;
            for (int x = 0; x < width_; ++x)
                half[std::size_t(y * width_ + x)] = std::uint8_t(qGray(line[x]));
        }
        const std::size_t added = add(half, wide && h == 0);
        if (h == 0)
            at = added;
    }
    return at;
}

} // namespace tw
