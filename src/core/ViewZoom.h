#pragma once
// The text size of the colour view: whole zoom steps, the cell size at each, and how many
// columns and rows a picture of a given size holds. At 100% the cells are 8 x 12 pixels.
#include <array>

namespace tw {

struct CellSize {
    int width = 8;
    int height = 12;
    bool operator==(const CellSize&) const = default;
};

// A cell of the picture: column and visible row, both counted from 1.
struct CellPoint {
    int column = 1;
    int row = 1;
    bool operator==(const CellPoint&) const = default;
};

class ViewZoom {
public:
    static constexpr std::array<int, 6> Steps = {100, 125, 150, 200, 250, 300};

    int percent() const { return Steps[step_]; }
    CellSize cell() const { return cellFor(percent()); }
    bool zoomIn();   // false at the largest step
    bool zoomOut();  // false at 100%
    bool reset();    // false when already at 100%

    // A remembered value: one of the steps, anything else is 100%.
    void setPercent(int percent);
    static bool isStep(int percent);

    static CellSize cellFor(int percent) { return {8 * percent / 100, 12 * percent / 100}; }
    // All 160 columns of a line once the picture holds them, else as many whole cells as fit.
    static int columnCountForWidth(int pixels, CellSize cell);
    static int rowCountForHeight(int pixels, CellSize cell);
    // The cell under a point of the picture; a point left of or above it gives a column or
    // row below 1 (a drag may leave the picture).
    static CellPoint cellAt(int x, int y, CellSize cell);

private:
    std::size_t step_ = 0;
};

} // namespace tw
