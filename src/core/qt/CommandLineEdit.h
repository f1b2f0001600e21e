#pragma once
// The command box: a one-line edit whose key releases go to the session's key handling.
#include "script/CommandBox.h"

#include <QClipboard>
#include <QLineEdit>
#include <functional>

namespace tw {

class CommandLineEdit : public QLineEdit, public CommandBox {
    Q_OBJECT
public:
    explicit CommandLineEdit(QWidget* parent = nullptr);

    std::string text() const override;
    void setText(const std::string& text) override;
    void selectAll() override;
    void caretToEnd() override;
    void insert(const std::string& text) override;

    // Pastes the clipboard (or the X11 selection) through onPaste. Every way of pasting comes
    // here: Ctrl+V, Shift+Insert, the middle button, the context menu, Edit > Paste, a drop.
    void pasteFrom(QClipboard::Mode mode = QClipboard::Clipboard);
    // Takes pasted text; without it, the text is inserted as it is.
    std::function<void(const std::string& text)> onPaste;

    // The caret as a byte offset into text(), and both set at once (Tab completion).
    std::size_t caret() const;
    void setTextAndCaret(const std::string& text, std::size_t caret);

    // Virtual-key code of a Qt key event (F1 = 112, keypad 0 = 96, Up = 38 ...); 0 when the
    // key has none the program binds.
    static int virtualKey(const QKeyEvent* event);

    std::function<void(int key, KeyModifiers mods)> onKeyUp;
    // Tab (forward) and Shift+Tab complete the word before the caret; the focus stays here.
    std::function<void(bool forward)> onTab;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void pasteText(const QString& text);
    static std::string bytesOf(const QString& text);
    static QString textOf(const std::string& bytes);

    // The selection as focus left, given back when it returns (a click places the caret).
    int keptSelectionStart_ = -1;
    int keptSelectionLength_ = 0;
    int keptCursor_ = 0;
    QString keptText_;
};

} // namespace tw
