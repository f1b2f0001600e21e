#include "core/qt/MirrorView.h"

#include "core/Terminal.h"

#include <QPainter>

#include <algorithm>

namespace tw {

namespace {
QRgb toQRgb(ColorRef c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

QRgb blend(QRgb from, QRgb to, int step)
{
    const auto mix = [step](int a, int b) { return a + (b - a) * step / 15; };
    return qRgb(mix(qRed(from), qRed(to)), mix(qGreen(from), qGreen(to)),
                mix(qBlue(from), qBlue(to)));
}
} // namespace

MirrorView::MirrorView(const Terminal& terminal, const Palette& palette, QWidget* parent)
    : QWidget(parent), terminal_(terminal), palette_(palette), glyphs_(CellGlyphs::cp437()),
      unicodeGlyphs_(terminalFont(), glyphs_)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted
    setFocusPolicy(Qt::NoFocus);
}

QSize MirrorView::sizeHint() const
{
    return {80 * CellWidth, 25 * CellHeight};
}

void MirrorView::updateShades()
{
    if (shadesValid_ && shadesFor_ == palette_)
        return;
    for (int pair = 0; pair < 256; ++pair) {
        const QRgb background = toQRgb(palette_[pair / 16]);
        const QRgb foreground = toQRgb(palette_[pair % 16]);
        for (int step = 0; step < 16; ++step)
            shades_[std::size_t(pair)][std::size_t(step)] = blend(background, foreground, step);
    }
    shadesFor_ = palette_;
    shadesValid_ = true;
}

const QRgb* MirrorView::shadesFor(CellColour background, CellColour foreground)
{
    if (!isRgb(background) && !isRgb(foreground))
        return shades_[std::size_t((background % 16) * 16 + foreground % 16)].data();
    const QRgb from = toQRgb(palette_.colourOf(background));
    const QRgb to = toQRgb(palette_.colourOf(foreground));
    for (int step = 0; step < 16; ++step)
        runShades_[std::size_t(step)] = blend(from, to, step);
    return runShades_.data();
}

const std::uint8_t* MirrorView::inkFor(char32_t character, bool unicode)
{
    if (!unicode || character < 0x80)
        return glyphs_.glyph(std::uint8_t(character)).data();
    return unicodeGlyphs_.cell(character).data();
}

void MirrorView::drawCell(QRgb* topLeft, qsizetype stride, const std::uint8_t* ink,
                          const QRgb* shades) const
{
    for (int y = 0; y < CellHeight; ++y) {
        QRgb* out = topLeft + y * stride;
        for (int x = 0; x < CellWidth; ++x)
            out[x] = shades[*ink++ >> 4];
    }
}

void MirrorView::renderFrame()
{
    const QSize size = this->size();
    if (frame_.size() != size)
        frame_ = QImage(size, QImage::Format_RGB32);
    frame_.fill(Qt::black);
    updateShades();

    const ScreenModel& model = terminal_.model();
    const int columns = std::min(terminal_.ColumnCount(), size.width() / CellWidth);
    const int rows = size.height() / CellHeight;
    const int first = terminal_.firstVisibleLine();
    const int last = std::min(terminal_.lastVisibleLine(), model.LineCount());
    const bool unicode = model.modern();
    const qsizetype stride = frame_.bytesPerLine() / qsizetype(sizeof(QRgb));
    auto* pixels = reinterpret_cast<QRgb*>(frame_.bits());

    for (int number = std::max(first, 1), k = 0; number <= last && k < rows; ++number, ++k) {
        const ScreenLine& line = model.line(number);
        QRgb* rowStart = pixels + qsizetype(k) * CellHeight * stride;
        // Runs of equal colours share one shade table; the cells are then copied in.
        for (int column = 1; column <= columns;) {
            const ScreenCell& head = line.cell(column);
            const QRgb* shades = shadesFor(head.background, head.foreground);
            int end = column;
            while (end <= columns && line.cell(end).background == head.background &&
                   line.cell(end).foreground == head.foreground) {
                drawCell(rowStart + (end - 1) * CellWidth, stride,
                         inkFor(line.cell(end).character, unicode), shades);
                ++end;
            }
            column = end;
        }
    }
}

void MirrorView::paintEvent(QPaintEvent*)
{
    ++paintCount_;
    renderFrame();
    QPainter painter(this);
    painter.drawImage(0, 0, frame_);
}

} // namespace tw
