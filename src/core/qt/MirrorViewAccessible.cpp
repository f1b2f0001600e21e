#include "core/qt/MirrorViewAccessible.h"

#include "core/qt/MirrorView.h"
#include "core/qt/TerminalReading.h"

#include <algorithm>

namespace tw {

namespace {
QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String(MirrorView::staticMetaObject.className()) && object && object->isWidgetType())
        return new MirrorViewAccessible(static_cast<MirrorView*>(object));
    return nullptr;
}
} // namespace

MirrorViewAccessible::MirrorViewAccessible(MirrorView* view) : QAccessibleWidget(view, QAccessible::Terminal) {}

void MirrorViewAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

TerminalReading& MirrorViewAccessible::reading() const { return static_cast<MirrorView*>(widget())->reading(); }

void* MirrorViewAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State MirrorViewAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
}

void MirrorViewAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && selectionCount() == 1) {
        *startOffset = reading().selectionStart();
        *endOffset = reading().selectionEnd();
    }
}

int MirrorViewAccessible::selectionCount() const
{
    return reading().selectionStart() < reading().selectionEnd() ? 1 : 0;
}

void MirrorViewAccessible::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void MirrorViewAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        reading().select(0, 0);
}

void MirrorViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        reading().select(startOffset, endOffset);
}

int MirrorViewAccessible::cursorPosition() const { return reading().caret(); }

void MirrorViewAccessible::setCursorPosition(int position) { reading().setCaret(position); }

QString MirrorViewAccessible::text(int startOffset, int endOffset) const
{
    const QString& all = reading().text();
    startOffset = std::clamp(startOffset, 0, int(all.size()));
    // An end of -1 means the end of the text.
    endOffset = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, startOffset, int(all.size()));
    return all.mid(startOffset, endOffset - startOffset);
}

int MirrorViewAccessible::characterCount() const { return int(reading().text().size()); }

// The text reaches back further than the view shows; its characters have no place on screen.
QRect MirrorViewAccessible::characterRect(int) const { return {}; }

int MirrorViewAccessible::offsetAtPoint(const QPoint&) const { return -1; }

void MirrorViewAccessible::scrollToSubstring(int, int) {}

QString MirrorViewAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    (void)offset;
    // One run without attributes: colours are not told.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace tw
