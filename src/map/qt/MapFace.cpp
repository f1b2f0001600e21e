#include "map/qt/MapFace.h"

#include "map/MapPicture.h"

#include <QMouseEvent>
#include <QPainter>

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

void MapFace::redraw(const MapModel& map)
{
    picture_.fill(Black);
    QPainter p(&picture_);
    QFont letters = font();
    letters.setPixelSize(11);
    letters.setBold(true);
    p.setFont(letters);
    const int level = map.ViewLevel;
    for (int y = 1; y <= RoomGrid::Rows; ++y)
        for (int x = 1; x <= RoomGrid::Columns; ++x) {
            const CellLook look = cellLook(map, x, y, level);
            const int right = x * CellPixels, bottom = y * CellPixels;
            p.setPen(look.room ? Blue : Black);
            p.setBrush(Black);
            p.drawRect(right - CellPixels, bottom - CellPixels, CellPixels - 1, CellPixels - 1);
            if (!look.room)
                continue;
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
    if (level == map.MapLevel) {
        p.setPen(Red);
        p.setBrush(Maroon);
        p.drawEllipse(QRect(map.MapX * CellPixels - 18, map.MapY * CellPixels - 18, 5, 5));
    }
    update();
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
