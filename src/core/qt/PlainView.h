#pragma once
// The plain view of the terminal: a read-only snapshot of the scrollback for reading back,
// finding and copying. Keys typed into it are handed on, one character at a time.
#include <QPlainTextEdit>
#include <functional>
#include <string>

namespace tw {

class PlainView : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PlainView(QWidget* parent = nullptr);

    // Shows the bytes: line ends as lines, every other byte with the terminal font's glyph
    // (escape characters included). In Modern Server Mode (GameText reads UTF-8) it shows
    // what the colour view shows: UTF-8 text without the escape sequences.
    void showBuffer(const std::string& bytes);
    static QString textFor(const std::string& bytes);

    // Searches the text as shown (each byte as its glyph) forward from the end of the
    // selection, without regard to case unless matchCase, and selects what it finds. An
    // occurrence that ends at the end of the text is found.
    bool findNext(const QString& what, bool matchCase);

    void setWordWrap(bool wrap);

    std::function<void(char typed)> onTyped;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tw
