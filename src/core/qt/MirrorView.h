#pragma once
// The Magic Mirror view: paints the terminal's visible lines as coloured 8 x 12 cells.
#include "core/qt/CellGlyphs.h"
#include "core/qt/UnicodeGlyphs.h"
#include "net/Palette.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>

namespace tw {

class Terminal;

class MirrorView : public QWidget {
    Q_OBJECT
public:
    static constexpr int CellWidth = CellGlyphs::Width;
    static constexpr int CellHeight = CellGlyphs::Height;

    // Both are read at every paint; the terminal's change callback should call update().
    MirrorView(const Terminal& terminal, const Palette& palette, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // How many times the view has been painted, for the tests.
    int paintCount() const { return paintCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void renderFrame();
    void updateShades();
    // The shades of a run's colours: from the table for two colour numbers, else worked out
    // into runShades_.
    const QRgb* shadesFor(CellColour background, CellColour foreground);
    // The ink of a cell: code page 437 glyphs for the bytes of the Parts' text (and for ASCII),
    // the Unicode cache for the rest of modern mode's characters.
    const std::uint8_t* inkFor(char32_t character, bool unicode);
    void drawCell(QRgb* topLeft, qsizetype stride, const std::uint8_t* ink, const QRgb* shades) const;

    const Terminal& terminal_;
    const Palette& palette_;
    const CellGlyphs& glyphs_;
    UnicodeGlyphs unicodeGlyphs_;
    QImage frame_;
    // For each colour pair (background x 16 + foreground) 16 steps from background to
    // foreground, so that antialiased glyph edges blend without arithmetic per pixel.
    std::array<std::array<QRgb, 16>, 256> shades_{};
    std::array<QRgb, 16> runShades_{};
    Palette shadesFor_;
    bool shadesValid_ = false;
    int paintCount_ = 0;
};

} // namespace tw
