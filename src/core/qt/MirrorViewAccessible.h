#pragma once
// The colour view as assistive technologies see it: a terminal whose text is the game's text
// as the player reads it (TerminalReading), with lines, a reading caret and a selection.
#include <QAccessibleWidget>

namespace tw {

class MirrorView;
class TerminalReading;

class MirrorViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit MirrorViewAccessible(MirrorView* view);
    // Makes Qt ask here for the colour view's interface; once is enough.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(QAccessible::Text t) const override { return QAccessibleWidget::text(t); }
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    TerminalReading& reading() const;
};

} // namespace tw
