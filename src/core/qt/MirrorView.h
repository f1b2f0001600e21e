#pragma once
// The Magic Mirror view: paints the terminal's visible lines as coloured cells, 8 x 12 pixels
// at the normal text size. The mouse selects (drag, double-click on a word) and scrolls (the
// wheel); a marker at the bottom tells a scrolled-back view that text has arrived below.
// The view asks to repaint only the rows that changed since they were last drawn, and a paint
// draws only the rows Qt asks for, one at a time through a strip the height of a row.
#include "core/PaintedRows.h"
#include "core/ViewRows.h"
#include "core/ViewZoom.h"
#include "core/qt/CellAtlas.h"
#include "core/qt/CellGlyphs.h"
#include "core/qt/TerminalReading.h"
#include "core/qt/UnicodeGlyphs.h"
#include "net/Palette.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <memory>
#include <cstdint>

namespace tw {

class Terminal;

class MirrorView : public QWidget {
    Q_OBJECT
public:
    static constexpr int CellWidth = CellGlyphs::Width;
    static constexpr int CellHeight = CellGlyphs::Height;
    // Lines one notch of the mouse wheel scrolls.
    static constexpr int WheelLines = 3;
    static constexpr const char* MoreBelowText = "more below - End to follow";

    // Both are read at every paint; the terminal's change callback should call refresh().
    MirrorView(Terminal& terminal, const Palette& palette, QWidget* parent = nullptr);

    // What the view shows and its mouse acts on: the terminal's own view unless told otherwise
    // (rows that outlive the view, or nullptr for the terminal's again).
    void setRows(ViewRows* rows);

    // Schedules a repaint of what differs from the last frame.
    void refresh();
    // The part of the view whose picture differs from the last frame: the rows whose text,
    // colours or selection changed, the "more below" marker as it comes or goes, the whole
    // view after a change of size, zoom, palette or text mode.
    QRegion pendingRegion() const;

    // The size the cells are drawn at (the zoom); the caller lays the terminal out to match.
    void setCellSize(CellSize cell);
    CellSize cellSize() const { return cell_; }

    QSize sizeHint() const override;
    // How many times the view has been painted, for the tests.
    int paintCount() const { return paintCount_; }
    // The selection as the view shows it: each byte as its code page 437 character (in modern
    // mode the characters as they are), lines parted by line feeds. Without one, what a screen
    // reader selected.
    QString selectedText() const;
    // Where the "more below" marker is drawn while it shows.
    QRect moreBelowRect() const;
    // The text as screen readers read it; the window tells it of every text appended.
    TerminalReading& reading() { return reading_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Whether the picture must be drawn anew, with how many rows and columns.
    bool frameIsStale() const;
    int frameColumns() const;
    int frameRows() const;
    void startAfresh();
    // Draws a row into the strip.
    void drawRow(const PaintedRows::Row& row);
    void updateShades();
    // The shades of a run's colours: from the table for two colour numbers, else worked out
    // into runShades_.
    const QRgb* shadesFor(CellColour background, CellColour foreground);
    // The ink of a cell: code page 437 glyphs for the bytes of the Parts' text (and for ASCII),
    // the Unicode cells for the rest of modern mode's characters.
    const std::uint8_t* inkFor(char32_t character, bool unicode);
    void drawCell(QRgb* topLeft, qsizetype stride, const std::uint8_t* ink, const QRgb* shades) const;
    CellPoint cellAt(const QPoint& p) const;

    Terminal& terminal_;
    TerminalRows terminalRows_{terminal_};
    ViewRows* rows_ = &terminalRows_;
    // Read by the const selectedText(); it only caches.
    mutable TerminalReading reading_{terminal_, *this};
    const Palette& palette_;
    const CellGlyphs* glyphs_;
    std::unique_ptr<UnicodeGlyphs> unicodeGlyphs_; // made at the first such character, per size
    CellSize cell_;
    QImage strip_; // one row of cells
    PaintedRows painted_;
    CellAtlas atlas_;
    // What the picture was drawn with, so that a change of any of them redraws it whole.
    QSize frameSize_;
    const CellGlyphs* frameGlyphs_ = nullptr;
    bool frameModern_ = false;
    bool frameMoreBelow_ = false;
    // For each colour pair (background x 16 + foreground) 16 steps from background to
    // foreground, so that antialiased glyph edges blend without arithmetic per pixel.
    std::array<std::array<QRgb, 16>, 256> shades_{};
    std::array<QRgb, 16> runShades_{};
    Palette shadesFor_;
    bool shadesValid_ = false;
    int paintCount_ = 0;
    bool selecting_ = false;
    int wheelRest_ = 0; // eighths of a degree not yet turned into lines
};

} // namespace tw
