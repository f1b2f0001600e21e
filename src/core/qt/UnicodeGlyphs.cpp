#include "core/qt/UnicodeGlyphs.h"

#include "base/Utf8.h"
#include "core/Cp437.h"
#include "core/ScreenModel.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace tw {

UnicodeGlyphs::UnicodeGlyphs(const QFont& font, const CellGlyphs& cp437) : font_(font), cp437_(cp437)
{
    start();
}

void UnicodeGlyphs::start()
{
    first_.clear();
    cells_.clear();
    wide_.clear();
    cells_.push_back({}); // a blank for the right half of a character that is not wide
    wide_.push_back(false);
    for (int b = 1; b < 256; ++b) {
        const char32_t u = cp437ToUnicode(std::uint8_t(b));
        if (u < 0x80 || first_.count(u))
            continue;
        first_.emplace(u, cells_.size());
        cells_.push_back(cp437_.glyph(std::uint8_t(b)));
        wide_.push_back(false);
    }
}

const CellGlyphs::Cell& UnicodeGlyphs::cell(char32_t code)
{
    const bool rightHalf = code & ScreenCell::RightHalf;
    code &= ~ScreenCell::RightHalf;
    auto it = first_.find(code);
    std::size_t at;
    if (it != first_.end()) {
        at = it->second;
    } else {
        if (first_.size() >= MaxCached)
            start();
        at = render(code, utf8::isWide(code));
        first_.emplace(code, at);
    }
    if (!rightHalf)
        return cells_[at];
    return wide_[at] ? cells_[at + 1] : cells_[0];
}

// Draws the character centred on one cell or two, squeezed sideways when it is wider.
std::size_t UnicodeGlyphs::render(char32_t code, bool wide)
{
    constexpr int W = CellGlyphs::Width, H = CellGlyphs::Height;
    const int width = wide ? 2 * W : W;
    QImage image(width, H, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (code > 0x20 && code <= 0x10FFFF) {
        const QString text = QString::fromUcs4(&code, 1);
        const QFontMetricsF metrics(font_);
        const qreal advance = metrics.horizontalAdvance(text);
        const qreal baseline = H - std::ceil(metrics.descent());
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
    const std::size_t at = cells_.size();
    for (int half = 0; half < (wide ? 2 : 1); ++half) {
        CellGlyphs::Cell cell{};
        for (int y = 0; y < H; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y)) + half * W;
            for (int x = 0; x < W; ++x)
                cell[std::size_t(y * W + x)] = std::uint8_t(qGray(line[x]));
        }
        cells_.push_back(cell);
        wide_.push_back(wide && half == 0);
    }
    return at;
}

} // namespace tw
