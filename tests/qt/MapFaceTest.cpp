// The map picture is put together from kept images of its cells; it must be the picture that
// drawing every cell in turn makes.
#include "map/AutomapTracker.h"
#include "map/MapPicture.h"
#include "support/QuietHost.h"
#include "map/qt/MapFace.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <random>

namespace tw {
namespace {

// Every cell drawn in turn onto the board, as the map window drew it before it kept images.
QImage drawnCellByCell(const MapModel& map, const QFont& font)
{
    const QColor Black(0, 0, 0), Blue(0, 0, 255), Grey(128, 128, 128), Red(255, 0, 0), Maroon(128, 0, 0);
    QImage picture(900, 900, QImage::Format_RGB32);
    picture.fill(Black);
    QPainter p(&picture);
    QFont letters = font;
    letters.setPixelSize(11);
    letters.setBold(true);
    p.setFont(letters);
    for (int y = 1; y <= 30; ++y)
        for (int x = 1; x <= 30; ++x) {
            const CellLook look = cellLook(map, x, y, map.ViewLevel);
            const int right = x * 30, bottom = y * 30;
            p.setPen(look.room ? Blue : Black);
            p.setBrush(Black);
            p.drawRect(right - 30, bottom - 30, 29, 29);
            if (!look.room)
                continue;
            p.setPen(Grey);
            if (look.up)
                p.drawText(QRect(right - 29, bottom - 23, 10, 14), Qt::AlignLeft | Qt::AlignTop, "U");
            if (look.down)
                p.drawText(QRect(right - 11, bottom - 23, 10, 14), Qt::AlignLeft | Qt::AlignTop, "D");
            const QPoint ends[8] = {{right - 15, bottom - 30}, {right - 15, bottom}, {right - 30, bottom - 15},
                                    {right, bottom - 15},      {right - 30, bottom - 30}, {right, bottom - 30},
                                    {right - 30, bottom},      {right, bottom}};
            for (std::size_t d = 0; d < 8; ++d)
                if (look.lines[d])
                    p.drawLine(QPoint(right - 15, bottom - 15), ends[d]);
        }
    if (map.ViewLevel == map.MapLevel) {
        p.setPen(Red);
        p.setBrush(Maroon);
        p.drawEllipse(QRect(map.MapX * 30 - 18, map.MapY * 30 - 18, 5, 5));
    }
    return picture;
}

TEST(MapFace, KeptCellImagesMakeThePictureThatDrawingEachCellMakes)
{
    std::mt19937 rng(5);
    MapModel map;
    // Rooms on two thirds of the cells of levels 4 to 6, each exit present by chance, leading
    // to its neighbour or elsewhere.
    for (int l = 4; l <= 6; ++l)
        for (int y = 1; y <= 30; ++y)
            for (int x = 1; x <= 30; ++x) {
                if (rng() % 3 == 0)
                    continue;
                map.CreateMap(x, y, l, 0);
                for (int d = 1; d <= dir::Count; ++d) {
                    const Step s = directionStep(d);
                    if (rng() % 2)
                        map.room(x, y, l)->exit(d) = rng() % 4 == 0
                                                         ? MapExit{1, 1, 1}
                                                         : MapExit{std::uint8_t(x + s.dx), std::uint8_t(y + s.dy),
                                                                   std::uint8_t(l + s.dlevel)};
                }
            }
    MapFace face;
    for (const auto& [view, fontFamily] : {std::pair{5, "Sans"}, {6, "Sans"}, {5, "Serif"}, {1, "Serif"}}) {
        face.setFont(QFont(fontFamily));
        map.ViewLevel = view;
        map.MapX = 7 + view;
        face.redraw(map);
        EXPECT_EQ(face.picture(), drawnCellByCell(map, face.font())) << view << fontFamily;
    }

    // Redrawing only what changed makes the same picture: after a walk with rooms made and
    // removed, a level change, a shift and a new font.
    test::QuietHost host;
    AutomapTracker tracker(map, host);
    map.active = true;
    map.ViewLevel = map.MapLevel = 5;
    face.redraw(map);
    const char* moves[] = {"n", "e", "e", "se", "u", "d", "w", "sw", "s", "nw"};
    for (int step = 0; step < 40; ++step) {
        tracker.command(moves[rng() % std::size(moves)]);
        tracker.receive("Room\r\n");
        if (step % 7 == 3)
            map.DeleteRoom(map.MapX + 1, map.MapY, map.MapLevel);
        if (step == 20)
            map.ShiftWest();
        if (step == 30)
            face.setFont(QFont("Sans"));
        if (step % 5 == 0)
            map.ViewLevel = map.MapLevel;
        face.redrawChanged(map);
        ASSERT_EQ(face.picture(), drawnCellByCell(map, face.font())) << step;
    }
}

} // namespace
} // namespace tw
