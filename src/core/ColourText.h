#pragma once
// The text of the colour view for other programs: as plain text (UTF-8, each byte of the old
// games as the glyph the view shows for it) or as HTML with the colours. Saving writes the
// history and then the scrollback with every line whole again, the rows a long line broke into
// joined; copying writes the selected part of each line.
#include "core/HistoryStore.h"
#include "net/Palette.h"

#include <string>
#include <vector>

namespace tw {

class ColourText {
public:
    enum class Form { Plain, Html };
    // Html: inline colours suit the clipboard; a file names its colours once, in a style sheet.
    ColourText(Form form, const Palette& palette, bool styleSheet = false);

    // The cells first to last (columns from 1) of a line; lineEnd ends the line after them.
    void add(const ScreenLine& line, int first, int last, bool modern, bool lineEnd);
    // Every line of the stores, in order.
    void addLines(const HistoryStore& store);
    // The text; HTML is closed.
    std::string finish();

private:
    void character(char32_t c, bool modern);
    void colours(const ScreenCell& cell);

    Form form_;
    const Palette& palette_;
    bool styleSheet_;
    std::string out_;
    bool inSpan_ = false;
    CellColour foreground_ = 0, background_ = 0;
};

} // namespace tw
