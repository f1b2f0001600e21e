#include "core/qt/CellGlyphs.h"

#include "core/Cp437.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <array>
#include <cmath>
#include <map>
#include <memory>

namespace tw {

namespace {
// Where the lines of the line-drawing characters run: single lines on the centre column and
// row, double lines one pixel either side of them.
constexpr int CentreX = 3;
constexpr int CentreY = 6;

// The line and block characters are built on the 8 x 12 grid and scaled to the cell.
using BaseCell = std::array<std::uint8_t, CellGlyphs::Width * CellGlyphs::Height>;

struct Canvas {
    BaseCell& cell;
    void set(int x, int y)
    {
        if (x >= 0 && x < CellGlyphs::Width && y >= 0 && y < CellGlyphs::Height)
            cell[std::size_t(y * CellGlyphs::Width + x)] = 255;
    }
    void hline(int y, int x0, int x1)
    {
        for (int x = x0; x <= x1; ++x)
            set(x, y);
    }
    void vline(int x, int y0, int y1)
    {
        for (int y = y0; y <= y1; ++y)
            set(x, y);
    }
    void rect(int x0, int y0, int x1, int y1)
    {
        for (int y = y0; y <= y1; ++y)
            hline(y, x0, x1);
    }
};

void drawBox(Canvas& c, const BoxArms& a)
{
    constexpr int W = CellGlyphs::Width - 1, H = CellGlyphs::Height - 1;
    constexpr int xa = CentreX - 1, xb = CentreX + 1, ya = CentreY - 1, yb = CentreY + 1;
    const bool hDouble = a.left == 2 || a.right == 2;
    const bool vDouble = a.up == 2 || a.down == 2;

    if (hDouble && vDouble) {
        // Each of the four lines is made of a part towards each edge and a middle part that
        // closes the corner on the sides without an arm.
        const auto hpair = [&](int y, bool closed) {
            if (a.left)
                c.hline(y, 0, xa);
            if (a.right)
                c.hline(y, xb, W);
            if (closed)
                c.hline(y, a.left ? 0 : xa, a.right ? W : xb);
        };
        const auto vpair = [&](int x, bool closed) {
            if (a.up)
                c.vline(x, 0, ya);
            if (a.down)
                c.vline(x, yb, H);
            if (closed)
                c.vline(x, a.up ? 0 : ya, a.down ? H : yb);
        };
        hpair(ya, !a.up);
        hpair(yb, !a.down);
        vpair(xa, !a.left);
        vpair(xb, !a.right);
        return;
    }
    if (hDouble) {
        const int x0 = a.left ? 0 : CentreX, x1 = a.right ? W : CentreX;
        c.hline(ya, x0, x1);
        c.hline(yb, x0, x1);
        const bool through = a.left && a.right;
        if (a.up || a.down)
            c.vline(CentreX, a.up ? 0 : (through ? yb : ya), a.down ? H : (through ? ya : yb));
        return;
    }
    if (vDouble) {
        const int y0 = a.up ? 0 : CentreY, y1 = a.down ? H : CentreY;
        c.vline(xa, y0, y1);
        c.vline(xb, y0, y1);
        const bool through = a.up && a.down;
        if (a.left || a.right)
            c.hline(CentreY, a.left ? 0 : (through ? xb : xa), a.right ? W : (through ? xa : xb));
        return;
    }
    if (a.left || a.right)
        c.hline(CentreY, a.left ? 0 : CentreX, a.right ? W : CentreX);
    if (a.up || a.down)
        c.vline(CentreX, a.up ? 0 : CentreY, a.down ? H : CentreY);
}
} // namespace

QFont terminalFont(int width, int height)
{
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    // The largest size whose characters are no wider than a cell and whose capitals and
    // descenders leave the cell's top rows free (one row at 8 x 12), so that lines of text
    // stay apart.
    const int gap = std::max(1, height / CellGlyphs::Height);
    int pixels = height;
    for (; pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetricsF m(font);
        if (m.horizontalAdvance(QLatin1Char('M')) <= width + 0.01 &&
            m.capHeight() + m.descent() <= height - gap)
            break;
    }
    return font;
}

const CellGlyphs& CellGlyphs::cp437()
{
    static const CellGlyphs glyphs(terminalFont());
    return glyphs;
}

const CellGlyphs& CellGlyphs::cp437(int width, int height)
{
    if (width == Width && height == Height)
        return cp437();
    static std::map<std::pair<int, int>, std::unique_ptr<CellGlyphs>> sizes;
    auto& glyphs = sizes[{width, height}];
    if (!glyphs)
        glyphs = std::make_unique<CellGlyphs>(terminalFont(width, height), width, height);
    return *glyphs;
}

CellGlyphs::CellGlyphs(const QFont& font, int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)),
      ink_(std::size_t(256) * std::size_t(width_) * std::size_t(height_), 0)
{
    renderText(font);
    buildBoxes();
}

void CellGlyphs::renderText(const QFont& font)
{
    const QFontMetricsF metrics(font);
    // Baseline low enough for the descenders, as the capitals reach the top row.
    const qreal baseline = height_ - std::ceil(metrics.descent());
    QImage image(width_, height_, QImage::Format_RGB32);
    for (int b = 0; b < 256; ++b) {
        const char16_t u = cp437ToUnicode(std::uint8_t(b));
        if (u == 0 || u == 0x20 || u == 0xA0)
            continue;
        image.fill(Qt::black);
        {
            QPainter p(&image);
            p.setFont(font);
            p.setPen(Qt::white);
            const QString text{QChar(u)};
            const qreal x = (width_ - metrics.horizontalAdvance(text)) / 2;
            p.drawText(QPointF(std::max<qreal>(x, 0), baseline), text);
        }
        std::uint8_t* out = cell(b);
        for (int y = 0; y < height_; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < width_; ++x)
                *out++ = std::uint8_t(qGray(line[x]));
        }
    }
}

void CellGlyphs::buildBoxes()
{
    // The shades are dot patterns of the screen's own pixels at every size.
    static const std::uint8_t Light[2] = {0x22, 0x88}, Medium[2] = {0x55, 0xAA},
                              Dark[2] = {0xDD, 0x77};
    const std::pair<int, const std::uint8_t*> shades[] = {{0xB0, Light}, {0xB1, Medium}, {0xB2, Dark}};
    for (const auto& [b, rows] : shades) {
        std::uint8_t* out = cell(b);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                *out++ = (rows[y % 2] & (0x80 >> (x % 8))) ? 255 : 0;
    }
    BaseCell base;
    // Each pixel of the cell takes the pixel of the 8 x 12 drawing it falls on, so lines keep
    // running through the cell's edges.
    const auto scaled = [&](int b) {
        std::uint8_t* out = cell(b);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                *out++ = base[std::size_t((y * Height / height_) * Width + x * Width / width_)];
    };
    const auto fresh = [&base]() -> Canvas {
        base.fill(0);
        return Canvas{base};
    };
    for (int b = 0xB3; b <= 0xDA; ++b) {
        Canvas c = fresh();
        drawBox(c, cp437BoxArms(std::uint8_t(b)));
        scaled(b);
    }
    constexpr int W = Width - 1, H = Height - 1;
    fresh().rect(0, 0, W, H);
    scaled(0xDB);
    fresh().rect(0, Height / 2, W, H);
    scaled(0xDC);
    fresh().rect(0, 0, Width / 2 - 1, H);
    scaled(0xDD);
    fresh().rect(Width / 2, 0, W, H);
    scaled(0xDE);
    fresh().rect(0, 0, W, Height / 2 - 1);
    scaled(0xDF);
}

} // namespace tw
