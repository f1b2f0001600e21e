#pragma once
// What the colour view last drew on each of its rows: the cells of the line shown there and
// the selected columns. A frame redraws only the rows whose text, colours or selection differ
// from it; what changes every row at once (the view's size, the palette, the zoom, the text
// mode) starts afresh with forget().
#include "core/ScreenModel.h"

#include <optional>
#include <utility>
#include <vector>

namespace tw {

class Terminal;

class PaintedRows {
public:
    using Span = std::optional<std::pair<int, int>>;
    // One row of the view: the line it shows (none below the last line, drawn empty) and the
    // selected columns on it.
    struct Row {
        const ScreenLine* line = nullptr;
        Span selected;
    };

    // The row of a view of that many columns, counted from 0, as the terminal shows it now.
    static Row rowOf(const Terminal& terminal, int row, int columns);

    // Every row reads as changed until it is remembered again.
    void forget(int rows, int columns);
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    bool changed(int row, const Row& now) const;
    void remember(int row, const Row& now);

private:
    struct Drawn {
        bool known = false;
        bool hasLine = false;
        Span selected;
    };
    int rows_ = 0;
    int columns_ = 0;
    std::vector<Drawn> drawn_;
    std::vector<ScreenCell> cells_; // rows_ x columns_, row by row
};

} // namespace tw
