// The colour view's painting: cells on the 8 x 12 grid in palette colours.
#include "core/Terminal.h"
#include "core/qt/MirrorView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tw {
namespace {

const std::string E = "\x1b";
const std::string Block = "\xdb"; // a full cell of foreground colour

struct ViewFixture : ::testing::Test {
    Terminal terminal;
    Palette palette;
    MirrorView view{terminal, palette};

    void layout(int columns, int rows, int width, int height)
    {
        terminal.setColumnCount(columns);
        terminal.setRowCount(rows);
        view.resize(width, height);
    }
    QImage picture(const std::string& text)
    {
        terminal.WriteTerminal(text);
        return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QRgb colour(int n) const { return qRgb(redOf(palette[n]), greenOf(palette[n]), blueOf(palette[n])); }
};

// Every pixel of the cell at column, visible row k (both from 1).
std::set<QRgb> cellPixels(const QImage& image, int column, int k)
{
    std::set<QRgb> colours;
    for (int y = (k - 1) * 12; y < k * 12; ++y)
        for (int x = (column - 1) * 8; x < column * 8; ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000u);
    return colours;
}

TEST_F(ViewFixture, CellsSitOnTheGridInTheirColours)
{
    layout(10, 3, 80, 36);
    const QImage image = picture("\r" + E + "[33;44m  " + Block + E + "[1;31mX");
    ASSERT_EQ(image.size(), QSize(80, 36));
    // Row 2, column 3: a full block of brown (colour 6) from x 16..23, y 12..23.
    EXPECT_EQ(cellPixels(image, 3, 2), std::set<QRgb>{colour(6)});
    EXPECT_EQ(cellPixels(image, 2, 2), std::set<QRgb>{colour(1)}); // the blue background
    EXPECT_EQ(cellPixels(image, 5, 2), std::set<QRgb>{qRgb(0, 0, 0)});
    // The X: light red ink on the blue background, and only inside its cell.
    const std::set<QRgb> x = cellPixels(image, 4, 2);
    EXPECT_TRUE(x.count(colour(12)));
    EXPECT_TRUE(x.count(colour(1)));
    for (QRgb c : x)
        EXPECT_LE(qGreen(c), 0) << std::hex << c; // blends of (0,0,128) and (255,0,0) only
    EXPECT_EQ(cellPixels(image, 1, 1), std::set<QRgb>{qRgb(0, 0, 0)});
}

TEST_F(ViewFixture, DrawsEveryColumnUpToTheColumnCountAndNoFurther)
{
    layout(10, 2, 100, 24);
    const QImage image = picture(E + "[32m" + std::string(9, ' ') + Block + Block);
    EXPECT_EQ(cellPixels(image, 10, 1), std::set<QRgb>{colour(2)}); // the last column
    EXPECT_EQ(cellPixels(image, 11, 1), std::set<QRgb>{qRgb(0, 0, 0)});
    EXPECT_EQ(cellPixels(image, 1, 2), std::set<QRgb>{colour(2)}); // wrapped onto line 2
}

TEST_F(ViewFixture, ShowsOnlyTheVisibleLines)
{
    layout(10, 2, 80, 36);
    const QImage image = picture(Block + "\r\r" + E + "[35m" + Block + "\r" + E + "[36m" + Block);
    // Four lines; the view follows the end and has two rows: lines 3 and 4.
    EXPECT_EQ(cellPixels(image, 1, 1), std::set<QRgb>{colour(5)});
    EXPECT_EQ(cellPixels(image, 1, 2), std::set<QRgb>{colour(3)});
    EXPECT_EQ(cellPixels(image, 1, 3), std::set<QRgb>{qRgb(0, 0, 0)}); // below: black
}

TEST_F(ViewFixture, ColourNumbersAreTakenModuloSixteenFromThePalette)
{
    layout(10, 1, 80, 12);
    palette.colors[1] = rgb(10, 20, 30);
    const QImage image = picture(E + "[5;34m" + Block); // foreground 17: blue with the blink bit
    EXPECT_EQ(cellPixels(image, 1, 1), std::set<QRgb>{qRgb(10, 20, 30)});
}

TEST_F(ViewFixture, LineCharactersMeetTheirNeighbours)
{
    layout(10, 3, 80, 36);
    const QImage image = picture("\xc9\xcd\xbb\r\xba \xba\r\xc8\xcd\xbc");
    const QRgb grey = colour(7);
    // The double lines of the top edge run through the cell borders at x 7|8 and 15|16.
    int ink = 0;
    for (int x = 2; x <= 20; ++x) // from the corner of the top left to that of the top right
        ink += (image.pixel(x, 5) | 0xFF000000u) == grey;
    EXPECT_EQ(ink, 19);
    EXPECT_NE(image.pixel(1, 5) | 0xFF000000u, grey);
    EXPECT_NE(image.pixel(21, 5) | 0xFF000000u, grey);
    // The left edge runs down through the row borders at y 11|12 and 23|24.
    for (int y = 5; y < 31; ++y)
        EXPECT_EQ(image.pixel(2, y) | 0xFF000000u, grey) << y;
}

TEST_F(ViewFixture, RepaintsAtMostOncePerBurstOfWrites)
{
    layout(80, 25, 640, 300);
    terminal.setChangeCallback([this] { view.update(); });
    view.show();
    QElapsedTimer timer;
    timer.start();
    while (view.paintCount() == 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_GT(view.paintCount(), 0);
    const int before = view.paintCount();
    for (int i = 0; i < 200; ++i)
        terminal.WriteTerminal(E + "[3" + std::to_string(i % 8) + "mline " + std::to_string(i) + "\r\n");
    EXPECT_EQ(view.paintCount(), before); // nothing is painted inside the writes
    timer.restart();
    while (view.paintCount() == before && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.paintCount(), before + 1);
}

// The view redraws only the rows that changed; after every kind of change its picture must be
// the one a new view draws whole.
TEST_F(ViewFixture, AFrameRedrawnRowByRowIsTheFrameDrawnWhole)
{
    layout(20, 6, 160, 72);
    const auto sameAsWhole = [&](const char* step) {
        const QImage kept = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
        MirrorView whole(terminal, palette);
        whole.setCellSize(view.cellSize());
        whole.resize(view.size());
        EXPECT_EQ(kept, whole.grab().toImage().convertToFormat(QImage::Format_RGB32)) << step;
    };
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += E + "[1;3" + std::to_string(i % 8) + ";4" + std::to_string((i + 3) % 8) + "mline " +
                std::to_string(i) + " \xc9\xcd\xbb\xb1\xdb" + E + "[0m\r";
    terminal.WriteTerminal(text + "> ");
    sameAsWhole("first frame");
    terminal.WriteTerminal("look");
    sameAsWhole("the prompt line");
    terminal.WriteTerminal("\b\b");
    sameAsWhole("backspaces");
    terminal.selectionStart({3, 2});
    terminal.selectionExtend({5, 4});
    sameAsWhole("a selection");
    terminal.selectionExtend({2, 2});
    sameAsWhole("a smaller selection");
    terminal.clearSelection();
    sameAsWhole("no selection");
    terminal.scrollTo(2);
    terminal.WriteTerminal("more\r");
    sameAsWhole("scrolled back, text below");
    terminal.ScrollToEnd();
    sameAsWhole("at the end again");
    palette.colors[4] = rgb(1, 2, 3);
    sameAsWhole("a palette colour");
    view.setCellSize({12, 18});
    sameAsWhole("a larger text size");
    view.setCellSize({8, 12});
    terminal.WriteTerminal("\xe9");
    sameAsWhole("a byte above 127");
    terminal.setModern(true);
    sameAsWhole("the same cells read as Unicode");
    terminal.WriteTerminal("");
    sameAsWhole("the same bytes read as UTF-8");
    terminal.WriteTerminal(E + "[38;2;255;105;180mcaf\xc3\xa9 \xe4\xbd\xa0\xe5\xa5\xbd" + E +
                           "[48;5;236;38;5;45m\xe2\x95\x94\xe2\x95\x90 x" + E + "[0m");
    sameAsWhole("modern text");
    view.resize(120, 60);
    sameAsWhole("a smaller view");
    terminal.replaceBuffer(Terminal::InitialCapacity);
    sameAsWhole("an emptied scrollback");
}

TEST_F(ViewFixture, OnlyWhatChangedIsPending)
{
    layout(10, 3, 80, 36);
    terminal.WriteTerminal("one\rtwo\rthree\rfour\rfive");
    EXPECT_EQ(view.pendingRegion(), QRegion(view.rect())) << "nothing drawn yet";
    view.grab();
    EXPECT_TRUE(view.pendingRegion().isEmpty());

    terminal.WriteTerminal("!");
    EXPECT_EQ(view.pendingRegion(), QRegion(0, 24, 80, 12)) << "the last row";
    view.grab();
    terminal.selectionStart({2, 1});
    terminal.selectionExtend({2, 2});
    EXPECT_EQ(view.pendingRegion(), QRegion(0, 0, 80, 24)) << "the selected rows";
    view.grab();
    palette.colors[0] = rgb(9, 9, 9);
    EXPECT_EQ(view.pendingRegion(), QRegion(view.rect())) << "a palette colour";
    view.grab();
    view.setCellSize({12, 18});
    EXPECT_EQ(view.pendingRegion(), QRegion(view.rect())) << "a text size";
    view.setCellSize({8, 12});
    view.grab();

    // Scrolled back, text arriving below changes no row but brings the marker.
    terminal.clearSelection();
    terminal.scrollTo(1);
    view.grab();
    terminal.WriteTerminal("\rsix");
    ASSERT_TRUE(terminal.moreBelow());
    EXPECT_EQ(view.pendingRegion(), QRegion(view.moreBelowRect()));
}

} // namespace
} // namespace tw
