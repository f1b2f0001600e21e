#include "core/qt/TerminalReading.h"

#include "core/Terminal.h"

#include <QAccessible>

#include <algorithm>

namespace tw {

namespace {
QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
} // namespace

TerminalReading::TerminalReading(Terminal& terminal, QObject& view)
    : listening([] { return QAccessible::isActive(); }),
      tell([](QAccessibleEvent& event) { QAccessible::updateAccessibility(&event); }), terminal_(terminal), view_(view)
{
}

const QString& TerminalReading::text()
{
    const std::string& buffer = terminal_.ScrollbackBuffer();
    // The buffer also changes without text added to it: emptied, or read another way.
    if (!shownValid_ || !readable_.inStep(buffer, 0, terminal_.modern())) {
        shown_ = fromUtf8(readable_.text(buffer, terminal_.modern()));
        shownValid_ = true;
    }
    return shown_;
}

int TerminalReading::clamp(int position) { return std::clamp(position, 0, int(text().size())); }

int TerminalReading::caret() { return caret_ < 0 ? int(text().size()) : clamp(caret_); }

void TerminalReading::setCaret(int position)
{
    caret_ = clamp(position);
    QAccessibleTextCursorEvent event(&view_, caret_);
    tell(event);
}

void TerminalReading::select(int start, int end)
{
    start = clamp(start);
    end = clamp(end);
    selectionStart_ = std::min(start, end);
    selectionEnd_ = std::max(start, end);
    QAccessibleTextSelectionEvent event(&view_, selectionStart_, selectionEnd_);
    tell(event);
}

QString TerminalReading::selectedText()
{
    if (selectionStart_ == selectionEnd_)
        return {};
    return text().mid(selectionStart_, selectionEnd_ - selectionStart_);
}

void TerminalReading::shift(int removedFront, int length, int oldLength)
{
    const auto moved = [&](int p) { return std::clamp(p - removedFront, 0, length); };
    if (caret_ >= 0)
        caret_ = caret_ >= oldLength ? -1 : moved(caret_);
    selectionStart_ = moved(selectionStart_);
    selectionEnd_ = moved(selectionEnd_);
}

void TerminalReading::added(std::string_view appended)
{
    if (!listening()) {
        readable_.forget();
        shownValid_ = false;
        return;
    }
    const bool wasShown = shownValid_ && readable_.following(terminal_.modern());
    const QString old = wasShown ? shown_ : QString();
    const int oldLength = int(old.size());
    const ReadableText::Change change =
        readable_.appended(terminal_.ScrollbackBuffer(), appended, terminal_.modern());
    if (change.whole) {
        shown_ = fromUtf8(readable_.text(terminal_.ScrollbackBuffer(), terminal_.modern()));
        shownValid_ = true;
        shift(oldLength, int(shown_.size()), oldLength);
        QAccessibleTextUpdateEvent event(&view_, 0, old, shown_);
        tell(event);
        return;
    }
    const QString front = fromUtf8(change.removedFront);
    const QString back = fromUtf8(change.removedBack);
    const QString inserted = fromUtf8(change.inserted);
    if (!wasShown) {
        // Followed from now on: only what came is told.
        shown_ = fromUtf8(readable_.text(terminal_.ScrollbackBuffer(), terminal_.modern()));
        shownValid_ = true;
    } else {
        shown_.remove(0, front.size());
        shown_.chop(back.size());
        shown_ += inserted;
    }
    shift(int(front.size()), int(shown_.size()), oldLength);
    if (wasShown && !front.isEmpty()) {
        QAccessibleTextRemoveEvent event(&view_, 0, front);
        tell(event);
    }
    const int at = int(shown_.size() - inserted.size());
    if (wasShown && !back.isEmpty()) {
        QAccessibleTextRemoveEvent event(&view_, at, back);
        tell(event);
    }
    if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent event(&view_, at, inserted);
        tell(event);
    }
}

} // namespace tw
