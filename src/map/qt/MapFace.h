#pragma once
// The map picture: the 900 x 900 board of one level. It is a picture in its own right, drawn
// at the moments the map window redraws and by the hover outlines, and shown as it stands.
#include "map/MapModel.h"

#include <QImage>
#include <QWidget>

#include <functional>

namespace tw {

class MapFace : public QWidget {
    Q_OBJECT
public:
    static constexpr int CellPixels = 30;
    static constexpr int BoardPixels = CellPixels * RoomGrid::Columns;

    explicit MapFace(QWidget* parent = nullptr);

    // The whole viewed level, every cell repainted, and the current-room disc.
    void redraw(const MapModel& map);
    // An outline without fill around one cell.
    void outlineCell(int x, int y, const QColor& colour);

    const QImage& picture() const { return picture_; }

    // The column (or row) of a picture pixel's x (or y).
    static int cellAt(int pixel) { return pixel / CellPixels + 1; }

    std::function<void(QPoint)> onMouseMove;
    std::function<void(QMouseEvent*)> onMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

} // namespace tw
