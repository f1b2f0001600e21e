#include "map/qt/MapFace.h"

#include "map/MapPicture.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace tw {

namespace {

const QColor Black(0, 0, 0), Blue(0, 0, 255), Grey(128, 128, 128), Red(255, 0, 0), Maroon(128, 0, 0);

} // namespace

MapFace::MapFace(QWidget* parent)
    : QWidget(parent), picture_(BoardPixels, BoardPixels, QImage::Format_RGB32)
{
    setObjectName("MapFace");
    setFixedSize(BoardPixels, BoardPixels);
    setMouseTracking(true);
    picture_.fill(Black);
}

namespace {

unsigned lookKey(const CellLook& look)
{
    unsigned key = look.room | look.up << 1 | look.down << 2;
    for (std::size_t d = 0; d < 8; ++d)
        key |= unsigned(look.lines[d]) << (3 + d);
    return key;
}

} // namespace

const QImage& MapFace::cellImage(const CellLook& look)
{
    const unsigned key = lookKey(look);
    if (const auto kept = cells_.find(key); kept != cells_.end())
        return kept->second;
    QImage& cell = cells_[key];
    cell = QImage(CellPixels, CellPixels, QImage::Format_RGB32);
    cell.fill(Black);
    QPainter p(&cell);
    p.setFont(cellsFont_);
    const int right = CellPixels, bottom = CellPixels;
    p.setPen(look.room ? Blue : Black);
    p.setBrush(Black);
    p.drawRect(right - CellPixels, bottom - CellPixels, CellPixels - 1, CellPixels - 1);
    if (look.room) {
        p.setPen(Grey);
        if (look.up)
            p.drawText(QRect(right - 29, bottom - 23, 10, 14), Qt::AlignLeft | Qt::AlignTop, "U");
        if (look.down)
            p.drawText(QRect(right - 11, bottom - 23, 10, 14), Qt::AlignLeft | Qt::AlignTop, "D");
        // Where each flat direction's half-line meets the border, in exit order.
        const QPoint ends[8] = {{right - 15, bottom - 30}, {right - 15, bottom}, {right - 30, bottom - 15},
                                {right, bottom - 15},      {right - 30, bottom - 30}, {right, bottom - 30},
                                {right - 30, bottom},      {right, bottom}};
        const QPoint centre(right - 15, bottom - 15);
        for (std::size_t d = 0; d < 8; ++d)
            if (look.lines[d])
                p.drawLine(centre, ends[d]);
    }
    return cell;
}

void MapFace::takeLettersFont()
{
    QFont letters = font();
    letters.setPixelSize(11);
    letters.setBold(true);
    if (letters != cellsFont_) {
        cells_.clear();
        cellsFont_ = letters;
    }
}

void MapFace::paintCell(int x, int y, const CellLook& look)
{
    // Copied row by row: the cells do not overlap, and an empty cell is all black.
    const auto line = static_cast<std::size_t>(picture_.bytesPerLine());
    uchar* to = picture_.bits() + std::size_t((y - 1) * CellPixels) * line + std::size_t((x - 1) * CellPixels) * 4;
    if (!look.room) {
        for (int row = 0; row < CellPixels; ++row, to += line)
            std::fill_n(reinterpret_cast<QRgb*>(to), CellPixels, Black.rgb());
        return;
    }
    const QImage& cell = cellImage(look);
    for (int row = 0; row < CellPixels; ++row, to += line)
        std::memcpy(to, cell.constScanLine(row), CellPixels * 4);
}

void MapFace::paintDisc(const Cell& disc)
{
    QPainter p(&picture_);
    p.setPen(Red);
    p.setBrush(Maroon);
    p.drawEllipse(QRect(disc.x * CellPixels - 18, disc.y * CellPixels - 18, 5, 5));
}

void MapFace::redraw(const MapModel& map)
{
    takeLettersFont();
    picture_.fill(Black);
    drawn_ = LevelLooks::of(map);
    for (int y = 1; y <= RoomGrid::Rows; ++y)
        for (int x = 1; x <= RoomGrid::Columns; ++x)
            if (const CellLook& look = drawn_.at(x, y); look.room)
                paintCell(x, y, look);
    if (drawn_.disc.x > 0)
        paintDisc(drawn_.disc);
    update();
}

void MapFace::redrawChanged(const MapModel& map)
{
    const QFont before = cellsFont_;
    takeLettersFont();
    if (cellsFont_ != before) {
        redraw(map);
        return;
    }
    LevelLooks now = LevelLooks::of(map);
    for (const Cell& c : changedCells(drawn_, now)) {
        paintCell(c.x, c.y, now.at(c.x, c.y));
        if (c == now.disc)
            paintDisc(now.disc);
        update((c.x - 1) * CellPixels, (c.y - 1) * CellPixels, CellPixels, CellPixels);
    }
    drawn_ = std::move(now);
}

void MapFace::outlineCell(int x, int y, const QColor& colour)
{
    if (!RoomGrid::inside(x, y, 1))
        return;
    QPainter p(&picture_);
    p.setPen(colour);
    p.setBrush(Qt::NoBrush);
    p.drawRect((x - 1) * CellPixels, (y - 1) * CellPixels, CellPixels - 1, CellPixels - 1);
    update((x - 1) * CellPixels, (y - 1) * CellPixels, CellPixels, CellPixels);
}

bool MapFace::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = onToolTip ? onToolTip(help->pos()) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    // The game's text is never read as markup; the tip stays while the mouse is on the cell.
    const QString shown = "<p style='white-space:pre'>" + tip.toHtmlEscaped().replace('\n', "<br>") + "</p>";
    const QPoint cell((help->pos().x() / CellPixels) * CellPixels, (help->pos().y() / CellPixels) * CellPixels);
    QToolTip::showText(help->globalPos(), shown, this, QRect(cell, QSize(CellPixels, CellPixels)));
    return true;
}

void MapFace::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.drawImage(event->rect(), picture_, event->rect());
}

void MapFace::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove)
        onMouseMove(event->position().toPoint());
}

void MapFace::mousePressEvent(QMouseEvent* event)
{
    if (onMouseDown)
        onMouseDown(event);
}

} // namespace tw
