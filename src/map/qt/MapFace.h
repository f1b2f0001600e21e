#pragma once
// The map picture: the 900 x 900 board of one level. It is a picture in its own right, drawn
// at the moments the map window redraws and by the hover outlines, and shown as it stands.
#include "map/MapModel.h"
#include "map/MapPicture.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <unordered_map>

namespace tw {

class MapFace : public QWidget {
    Q_OBJECT
public:
    static constexpr int CellPixels = 30;
    static constexpr int BoardPixels = CellPixels * RoomGrid::Columns;

    explicit MapFace(QWidget* parent = nullptr);

    // The whole viewed level, every cell repainted, and the current-room disc.
    void redraw(const MapModel& map);
    // Only the cells whose drawing differs from the picture's, as redraw would paint them; a
    // hover outline elsewhere stays.
    void redrawChanged(const MapModel& map);
    // An outline without fill around one cell.
    void outlineCell(int x, int y, const QColor& colour);

    const QImage& picture() const { return picture_; }

    // The column (or row) of a picture pixel's x (or y).
    static int cellAt(int pixel) { return pixel / CellPixels + 1; }

    // The tip to show on a rest of the mouse at a picture pixel, as plain text; none when empty.
    std::function<QString(QPoint)> onToolTip;
    std::function<void(QPoint)> onMouseMove;
    std::function<void(QMouseEvent*)> onMouseDown;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // One cell as redraw paints it, alone on a 30 x 30 image. Everything a cell's drawing puts
    // outside its square is painted over by the cells drawn after it, so the picture is its
    // cells' images side by side.
    const QImage& cellImage(const CellLook& look);
    // The letters' font as the window's font asks for it; a new one starts a new image cache.
    void takeLettersFont();
    // Copies the cell's image (black for an empty cell) into the picture.
    void paintCell(int x, int y, const CellLook& look);
    void paintDisc(const Cell& disc);

    QImage picture_;
    // The images of the looks met so far, by lookKey; made again when the font changes.
    std::unordered_map<unsigned, QImage> cells_;
    QFont cellsFont_;
    // What the picture shows now.
    LevelLooks drawn_;
};

} // namespace tw
