#include "core/qt/PlainView.h"

#include "base/qt/FontConversion.h"
#include "base/qt/GameText.h"
#include "core/Cp437.h"
#include "core/PlainText.h"
#include "settings/SetupVars.h"

#include <QKeyEvent>

namespace tw {

PlainView::PlainView(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName("Terminal");
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The design look: the settings' start font, white on black.
    const SetupVars design;
    setFont(fontFromStored({design.FontHeight, design.FontName, design.FontPitch, design.FontSize, design.FontStyle}));
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, colorFromStored(design.FontColor));
    setPalette(p);
}

QString PlainView::textFor(const std::string& bytes)
{
    if (GameText::utf8())
        return QString::fromStdString(plainText(bytes));
    QString text;
    text.reserve(int(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue; // CR LF is one line end
        if (b == '\r' || b == '\n')
            text += QLatin1Char('\n');
        else
            text += QChar(cp437ToUnicode(b));
    }
    return text;
}

void PlainView::showBuffer(const std::string& bytes)
{
    setPlainText(textFor(bytes));
    QTextCursor start = textCursor();
    start.movePosition(QTextCursor::Start);
    setTextCursor(start);
}

bool PlainView::findNext(const QString& what, bool matchCase)
{
    if (what.isEmpty())
        return false;
    const qsizetype at = toPlainText().indexOf(what, textCursor().selectionEnd(),
                                               matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
    if (at < 0)
        return false;
    QTextCursor cursor = textCursor();
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + what.size()), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    return true;
}

void PlainView::setWordWrap(bool wrap)
{
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void PlainView::keyPressEvent(QKeyEvent* event)
{
    if (onTyped)
        for (QChar c : event->text())
            if (c.unicode() < 256)
                onTyped(char(c.unicode()));
    QPlainTextEdit::keyPressEvent(event);
}

} // namespace tw
