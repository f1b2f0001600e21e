#include "core/qt/CommandLineEdit.h"

#include "base/qt/GameText.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

namespace tw {

CommandLineEdit::CommandLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setObjectName("CmdLine");
    setMaxLength(255);
    setFrame(false);
}

std::string CommandLineEdit::bytesOf(const QString& text) { return GameText::toBytes(text); }

QString CommandLineEdit::textOf(const std::string& bytes) { return GameText::toQString(bytes); }

std::string CommandLineEdit::text() const { return bytesOf(QLineEdit::text()); }

void CommandLineEdit::setText(const std::string& t) { QLineEdit::setText(textOf(t)); }

std::size_t CommandLineEdit::caret() const
{
    return bytesOf(QLineEdit::text().left(cursorPosition())).size();
}

void CommandLineEdit::setTextAndCaret(const std::string& t, std::size_t caret)
{
    QLineEdit::setText(textOf(t));
    setCursorPosition(int(textOf(t.substr(0, std::min(caret, t.size()))).size()));
}

bool CommandLineEdit::event(QEvent* event)
{
    // Tab would move the focus on; here it completes words instead.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            if (onTab)
                onTab(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CommandLineEdit::selectAll() { QLineEdit::selectAll(); }

void CommandLineEdit::insert(const std::string& t) { QLineEdit::insert(textOf(t)); }

void CommandLineEdit::pasteFrom(QClipboard::Mode mode)
{
    if (!isReadOnly())
        pasteText(QGuiApplication::clipboard()->text(mode));
}

void CommandLineEdit::pasteText(const QString& text)
{
    if (onPaste)
        onPaste(bytesOf(text));
    else
        QLineEdit::insert(text);
}

void CommandLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the X11 selection, as the edit box would.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() &&
        rect().contains(event->position().toPoint())) {
        deselect();
        pasteFrom(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CommandLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The edit box's own Paste item, found by its caption ("&Paste" and the shortcut).
    const QString paste = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(paste)) {
            action->disconnect();
            connect(action, &QAction::triggered, this, [this] { pasteFrom(); });
        }
    }
    menu->popup(event->globalPos());
}

void CommandLineEdit::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    const QString text = data ? data->text() : QString();
    if (isReadOnly() || !(text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))) {
        QLineEdit::dropEvent(event);
        return;
    }
    // Dropped lines are pasted where they fall.
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    event->acceptProposedAction();
    pasteText(text);
}

void CommandLineEdit::caretToEnd()
{
    deselect();
    end(false);
}

int CommandLineEdit::virtualKey(const QKeyEvent* e)
{
    const int k = e->key();
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    if (keypad && k >= Qt::Key_0 && k <= Qt::Key_9)
        return vk::Numpad0 + (k - Qt::Key_0);
    if (keypad && (k == Qt::Key_Period || k == Qt::Key_Comma))
        return vk::Decimal;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12)
        return vk::F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_PageUp: return vk::PageUp;
    case Qt::Key_PageDown: return vk::PageDown;
    case Qt::Key_End: return vk::End;
    case Qt::Key_Home: return vk::Home;
    case Qt::Key_Up: return vk::Up;
    case Qt::Key_Down: return vk::Down;
    case Qt::Key_A: return vk::KeyA;
    case Qt::Key_L: return vk::KeyL;
    default: break;
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return 'A' + (k - Qt::Key_A);
    return 0;
}

void CommandLineEdit::keyPressEvent(QKeyEvent* event)
{
    // The keys of the invisible menu items (F10, Shift+F10, Ctrl+A, Ctrl+L) are taken on
    // key-down and do nothing there; their key-up still reaches the key handling. The keys
    // bound on key-up do not edit the text on key-down either.
    const int k = event->key();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->matches(QKeySequence::Paste)) {
        // Ctrl+Shift+Insert pastes the X11 selection.
        const bool selection = k == Qt::Key_Insert && ctrl && (event->modifiers() & Qt::ShiftModifier);
        pasteFrom(selection ? QClipboard::Selection : QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (k == Qt::Key_Escape && !(event->modifiers() & ~Qt::KeypadModifier)) {
        // Escape empties the line.
        clear();
        event->accept();
        return;
    }
    if (k == Qt::Key_F10 || (ctrl && (k == Qt::Key_A || k == Qt::Key_L)) ||
        k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_PageUp || k == Qt::Key_PageDown) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CommandLineEdit::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat()) {
        QLineEdit::keyReleaseEvent(event);
        return;
    }
    const int key = virtualKey(event);
    const Qt::KeyboardModifiers m = event->modifiers();
    KeyModifiers mods{bool(m & Qt::ShiftModifier), bool(m & Qt::ControlModifier),
                      bool(m & Qt::AltModifier)};
    if (key && onKeyUp)
        onKeyUp(key, mods);
    QLineEdit::keyReleaseEvent(event);
}

// The last line stays selected so that typing replaces it; a dialog or another window taking
// the focus for a while must not undo that.
void CommandLineEdit::focusOutEvent(QFocusEvent* event)
{
    keptSelectionStart_ = selectionStart();
    keptSelectionLength_ = int(selectedText().size());
    keptCursor_ = cursorPosition();
    keptText_ = QLineEdit::text();
    QLineEdit::focusOutEvent(event);
}

void CommandLineEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A click places the caret; text changed meanwhile (a paste from the menu) keeps its caret.
    if (event->reason() == Qt::MouseFocusReason || QLineEdit::text() != keptText_)
        return;
    if (keptSelectionStart_ >= 0 && keptSelectionLength_ > 0)
        setSelection(keptSelectionStart_, keptSelectionLength_);
    else
        setCursorPosition(keptCursor_);
}

} // namespace tw
