#pragma once
// What a screen reader reads in the colour view: the terminal's plain text (the same text as
// the plain view's in Modern Server Mode), a reading caret and a selection of its own, and the
// events that tell it what text came and went. Nothing is worked out while no assistive
// technology listens.
#include "core/ReadableText.h"

#include <QString>

#include <functional>
#include <string_view>

class QAccessibleEvent;
class QObject;

namespace tw {

class Terminal;

class TerminalReading {
public:
    TerminalReading(Terminal& terminal, QObject& view);

    // The text in UTF-16 offsets, as assistive technologies count.
    const QString& text();
    // Text was appended to the terminal: the listeners hear what came and what went.
    void added(std::string_view appended);

    int caret();
    void setCaret(int position);
    // The selection's ends, start <= end; empty when start == end.
    int selectionStart() { return clamp(selectionStart_); }
    int selectionEnd() { return clamp(selectionEnd_); }
    void select(int start, int end);
    QString selectedText();

    // Whether an assistive technology listens, and how it is told; tests replace both.
    std::function<bool()> listening;
    std::function<void(QAccessibleEvent& event)> tell;

private:
    // Moves the caret and selection with text removed at the start and added at the end.
    void shift(int removedFront, int length, int oldLength);
    int clamp(int position);

    Terminal& terminal_;
    QObject& view_;
    ReadableText readable_;
    QString shown_;
    bool shownValid_ = false;
    // Until a reader moves it, the caret stays at the end of the text.
    int caret_ = -1;
    int selectionStart_ = 0, selectionEnd_ = 0;
};

} // namespace tw
