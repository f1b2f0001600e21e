#include "core/qt/MirrorView.h"

#include "core/Terminal.h"
#include "core/Cp437.h"
#include "core/qt/MirrorViewAccessible.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

namespace tw {

namespace {
QRgb toQRgb(ColorRef c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

// Copies a ready cell's rows into the strip; the common width is a constant so that each row
// becomes a few moves instead of a call.
template <int Width>
void copyCell(const QRgb* cell, int height, QRgb* topLeft, qsizetype stride)
{
    for (int y = 0; y < height; ++y, cell += Width, topLeft += stride)
        std::memcpy(topLeft, cell, Width * sizeof(QRgb));
}

void copyCell(const QRgb* cell, int width, int height, QRgb* topLeft, qsizetype stride)
{
    if (width == CellGlyphs::Width) {
        copyCell<CellGlyphs::Width>(cell, height, topLeft, stride);
        return;
    }
    for (int y = 0; y < height; ++y, cell += width, topLeft += stride)
        std::memcpy(topLeft, cell, std::size_t(width) * sizeof(QRgb));
}

QRgb blend(QRgb from, QRgb to, int step)
{
    const auto mix = [step](int a, int b) { return a + (b - a) * step / 15; };
    return qRgb(mix(qRed(from), qRed(to)), mix(qGreen(from), qGreen(to)),
                mix(qBlue(from), qBlue(to)));
}
} // namespace

MirrorView::MirrorView(Terminal& terminal, const Palette& palette, QWidget* parent)
    : QWidget(parent), terminal_(terminal), palette_(palette), glyphs_(&CellGlyphs::cp437())
{
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted
    // The command line keeps the focus; the mouse only selects and scrolls here.
    setFocusPolicy(Qt::NoFocus);
    MirrorViewAccessible::install();
}

void MirrorView::setRows(ViewRows* rows)
{
    rows_ = rows ? rows : &terminalRows_;
    selecting_ = false;
    update();
}

void MirrorView::setCellSize(CellSize cell)
{
    if (cell == cell_)
        return;
    cell_ = cell;
    glyphs_ = &CellGlyphs::cp437(cell.width, cell.height);
    update();
}

QSize MirrorView::sizeHint() const
{
    return {80 * cell_.width, 25 * cell_.height};
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
        return glyphs_->glyph(std::uint8_t(character)).data();
    if (!unicodeGlyphs_ || &unicodeGlyphs_->cp437() != glyphs_)
        unicodeGlyphs_ = std::make_unique<UnicodeGlyphs>(*glyphs_);
    return unicodeGlyphs_->cell(character).data();
}

void MirrorView::drawCell(QRgb* topLeft, qsizetype stride, const std::uint8_t* ink,
                          const QRgb* shades) const
{
    const int width = glyphs_->width(), height = glyphs_->height();
    for (int y = 0; y < height; ++y) {
        QRgb* out = topLeft + y * stride;
        for (int x = 0; x < width; ++x)
            out[x] = shades[*ink++ >> 4];
    }
}

int MirrorView::frameColumns() const
{
    return std::min(terminal_.ColumnCount(), width() / glyphs_->width());
}

int MirrorView::frameRows() const
{
    return height() / glyphs_->height();
}

bool MirrorView::frameIsStale() const
{
    return frameSize_ != size() || !shadesValid_ || !(shadesFor_ == palette_) || frameGlyphs_ != glyphs_ ||
           frameModern_ != terminal_.model().modern() || painted_.rows() != frameRows() ||
           painted_.columns() != frameColumns();
}

QRegion MirrorView::pendingRegion() const
{
    if (frameIsStale())
        return rect();
    QRegion region;
    const int cellHeight = glyphs_->height();
    for (int k = 0; k < painted_.rows(); ++k)
        if (painted_.changed(k, rows_->row(k, painted_.rows(), painted_.columns())))
            region += QRect(0, k * cellHeight, width(), cellHeight);
    if (rows_->moreBelow() != frameMoreBelow_)
        region += moreBelowRect();
    return region;
}

void MirrorView::refresh()
{
    const QRegion region = pendingRegion();
    if (!region.isEmpty())
        update(region);
}

void MirrorView::startAfresh()
{
    if (!shadesValid_ || !(shadesFor_ == palette_) || frameGlyphs_ != glyphs_) {
        updateShades();
        atlas_.reset(*glyphs_);
    }
    painted_.forget(frameRows(), frameColumns());
    frameSize_ = size();
    frameGlyphs_ = glyphs_;
    frameModern_ = terminal_.model().modern();
}

void MirrorView::drawRow(const PaintedRows::Row& row)
{
    const int cellWidth = glyphs_->width(), cellHeight = glyphs_->height();
    if (strip_.width() != width() || strip_.height() != cellHeight)
        strip_ = QImage(width(), cellHeight, QImage::Format_RGB32);
    const int columns = painted_.columns();
    const qsizetype stride = strip_.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* rowStart = reinterpret_cast<QRgb*>(strip_.bits());
    // Past the last column, and on a row below the last line, the view is black.
    const int blackFrom = row.line ? columns * cellWidth : 0;
    for (int y = 0; y < cellHeight; ++y)
        std::fill(rowStart + y * stride + blackFrom, rowStart + y * stride + strip_.width(), qRgb(0, 0, 0));
    if (!row.line)
        return;
    const ScreenLine& line = *row.line;
    const bool unicode = frameModern_;
    // Runs of equal colours share one shade table. Cells of code page 437 (and ASCII in modern
    // mode) come ready-made from the atlas; the others are shaded from their ink here.
    for (int column = 1; column <= columns;) {
        const ScreenCell& head = line.cell(column);
        const QRgb* shades = shadesFor(head.background, head.foreground);
        const int pair = atlas_.pairFor(head.background, head.foreground);
        int end = column;
        for (; end <= columns; ++end) {
            const ScreenCell& cell = line.cell(end);
            if (cell.background != head.background || cell.foreground != head.foreground)
                break;
            QRgb* topLeft = rowStart + (end - 1) * cellWidth;
            const QRgb* ready = pair >= 0 && (!unicode || cell.character < 0x80)
                                    ? atlas_.cell(pair, std::uint8_t(cell.character), shades)
                                    : nullptr;
            if (ready)
                copyCell(ready, cellWidth, cellHeight, topLeft, stride);
            else
                drawCell(topLeft, stride, inkFor(cell.character, unicode), shades);
        }
        column = end;
    }
    // Selected cells show in inverted colours.
    if (row.selected) {
        for (int y = 0; y < cellHeight; ++y) {
            QRgb* out = rowStart + y * stride;
            for (int x = (row.selected->first - 1) * cellWidth; x < row.selected->second * cellWidth; ++x)
                out[x] = ~out[x] | 0xFF000000u;
        }
    }
}

QString MirrorView::selectedText() const
{
    const std::string bytes = rows_->selectedText();
    if (bytes.empty())
        return reading_.selectedText();
    if (terminal_.modern())
        return QString::fromStdString(bytes);
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b == '\n')
            text += QLatin1Char('\n');
        else if (const char16_t u = cp437ToUnicode(b))
            text += QChar(u);
    }
    return text;
}

QRect MirrorView::moreBelowRect() const
{
    const QFontMetrics metrics(font());
    const QSize text = metrics.size(Qt::TextSingleLine, QString::fromLatin1(MoreBelowText));
    const QSize box(text.width() + 2 * metrics.averageCharWidth(), text.height() + 4);
    return QRect(QPoint(width() - box.width() - 2, height() - box.height() - 2), box);
}

void MirrorView::paintEvent(QPaintEvent* event)
{
    ++paintCount_;
    const QRegion& asked = event->region();
    if (frameIsStale()) {
        startAfresh();
        // All of the view is to be drawn anew, also what was not asked for this time.
        if (const QRegion rest = QRegion(rect()) - asked; !rest.isEmpty())
            update(rest);
    }
    // Only the rows asked for are drawn; the window keeps the picture of the others.
    QPainter painter(this);
    const int cellHeight = glyphs_->height();
    for (int k = 0; k < painted_.rows(); ++k) {
        const QRect rowRect(0, k * cellHeight, width(), cellHeight);
        if (!asked.intersects(rowRect))
            continue;
        const PaintedRows::Row row = rows_->row(k, painted_.rows(), painted_.columns());
        drawRow(row);
        painter.drawImage(rowRect.topLeft(), strip_);
        painted_.remember(k, row);
    }
    const int below = painted_.rows() * cellHeight;
    if (below < height())
        painter.fillRect(0, below, width(), height() - below, Qt::black);

    const bool moreBelow = rows_->moreBelow();
    const QRect box = moreBelowRect();
    if ((QRegion(box) - asked).isEmpty())
        frameMoreBelow_ = moreBelow;
    else if (asked.intersects(box) && moreBelow != frameMoreBelow_)
        update(box); // the marker came or went and only part of it is drawn now
    if (moreBelow) {
        painter.fillRect(box, QColor(toQRgb(palette_[14])));
        painter.setPen(QColor(toQRgb(palette_[0])));
        painter.drawText(box, Qt::AlignCenter, QString::fromLatin1(MoreBelowText));
    }
}

CellPoint MirrorView::cellAt(const QPoint& p) const
{
    return ViewZoom::cellAt(p.x(), p.y(), {glyphs_->width(), glyphs_->height()});
}

void MirrorView::wheelEvent(QWheelEvent* event)
{
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    if (notches != 0)
        rows_->scrollLines(-notches * WheelLines);
    event->accept();
}

void MirrorView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (rows_->moreBelow() && moreBelowRect().contains(event->position().toPoint())) {
        rows_->scrollToEnd();
        return;
    }
    selecting_ = true;
    rows_->selectionStart(cellAt(event->position().toPoint()), frameRows());
    refresh();
}

void MirrorView::mouseMoveEvent(QMouseEvent* event)
{
    if (!selecting_ || !(event->buttons() & Qt::LeftButton))
        return;
    const CellPoint at = cellAt(event->position().toPoint());
    // Dragging past the top or bottom edge scrolls a line at a time as the mouse moves.
    if (at.row < 1)
        rows_->scrollLines(-1);
    else if (at.row > frameRows())
        rows_->scrollLines(1);
    rows_->selectionExtend(at, frameRows());
    refresh();
}

void MirrorView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        selecting_ = false;
}

void MirrorView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    selecting_ = false;
    rows_->selectWord(cellAt(event->position().toPoint()), frameRows());
    refresh();
}

} // namespace tw
