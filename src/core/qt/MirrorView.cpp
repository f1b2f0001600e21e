#include "core/qt/MirrorView.h"

#include "core/Terminal.h"
#include "core/Cp437.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

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

MirrorView::MirrorView(Terminal& terminal, const Palette& palette, QWidget* parent)
    : QWidget(parent), terminal_(terminal), palette_(palette), glyphs_(&CellGlyphs::cp437())
{
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted
    // The command line keeps the focus; the mouse only selects and scrolls here.
    setFocusPolicy(Qt::NoFocus);
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

void MirrorView::renderFrame()
{
    const QSize size = this->size();
    if (frame_.size() != size)
        frame_ = QImage(size, QImage::Format_RGB32);
    frame_.fill(Qt::black);
    updateShades();

    const ScreenModel& model = terminal_.model();
    const int cellWidth = glyphs_->width(), cellHeight = glyphs_->height();
    const int columns = std::min(terminal_.ColumnCount(), size.width() / cellWidth);
    const int rows = size.height() / cellHeight;
    const int first = terminal_.firstVisibleLine();
    const int last = std::min(terminal_.lastVisibleLine(), model.LineCount());
    const bool unicode = model.modern();
    const qsizetype stride = frame_.bytesPerLine() / qsizetype(sizeof(QRgb));
    auto* pixels = reinterpret_cast<QRgb*>(frame_.bits());

    for (int number = std::max(first, 1), k = 0; number <= last && k < rows; ++number, ++k) {
        const ScreenLine& line = model.line(number);
        QRgb* rowStart = pixels + qsizetype(k) * cellHeight * stride;
        // Runs of equal colours share one shade table; the cells are then copied in.
        for (int column = 1; column <= columns;) {
            const ScreenCell& head = line.cell(column);
            const QRgb* shades = shadesFor(head.background, head.foreground);
            int end = column;
            while (end <= columns && line.cell(end).background == head.background &&
                   line.cell(end).foreground == head.foreground) {
                drawCell(rowStart + (end - 1) * cellWidth, stride,
                         inkFor(line.cell(end).character, unicode), shades);
                ++end;
            }
            column = end;
        }
    }
    markSelection(first, last, columns, rows);
}

// Selected cells show in inverted colours, laid over the drawn cells.
void MirrorView::markSelection(int first, int last, int columns, int rows)
{
    const TerminalSelection& selection = terminal_.selection();
    if (selection.empty())
        return;
    const int cellWidth = glyphs_->width(), cellHeight = glyphs_->height();
    const int top = std::max(first, 1);
    for (int number = std::max(top, selection.first().line), k = number - top;
         number <= std::min(last, selection.last().line) && k < rows; ++number, ++k) {
        const auto span = selection.columnsOn(number, columns);
        if (!span)
            continue;
        for (int y = k * cellHeight; y < (k + 1) * cellHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(frame_.scanLine(y));
            for (int x = (span->first - 1) * cellWidth; x < span->second * cellWidth; ++x)
                line[x] = ~line[x] | 0xFF000000u;
        }
    }
}

QString MirrorView::selectedText() const
{
    const std::string bytes = terminal_.selectedText();
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

void MirrorView::paintEvent(QPaintEvent*)
{
    ++paintCount_;
    renderFrame();
    QPainter painter(this);
    painter.drawImage(0, 0, frame_);
    if (terminal_.moreBelow()) {
        const QRect box = moreBelowRect();
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
        terminal_.scrollLines(-notches * WheelLines);
    event->accept();
}

void MirrorView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (terminal_.moreBelow() && moreBelowRect().contains(event->position().toPoint())) {
        terminal_.ScrollToEnd();
        return;
    }
    selecting_ = true;
    terminal_.selectionStart(cellAt(event->position().toPoint()));
    update();
}

void MirrorView::mouseMoveEvent(QMouseEvent* event)
{
    if (!selecting_ || !(event->buttons() & Qt::LeftButton))
        return;
    const CellPoint at = cellAt(event->position().toPoint());
    // Dragging past the top or bottom edge scrolls a line at a time as the mouse moves.
    if (at.row < 1)
        terminal_.scrollLines(-1);
    else if (at.row > terminal_.RowCount())
        terminal_.scrollLines(1);
    terminal_.selectionExtend(at);
    update();
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
    terminal_.selectWord(cellAt(event->position().toPoint()));
    update();
}

} // namespace tw
