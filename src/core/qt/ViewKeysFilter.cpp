#include "core/qt/ViewKeysFilter.h"

#include <QKeyEvent>

namespace tw {

ViewKeysFilter::ViewKeysFilter(std::function<void(ViewKey)> act, QObject* parent)
    : QObject(parent), act_(std::move(act))
{
}

ViewKey ViewKeysFilter::keyOf(const QKeyEvent& e)
{
    const int k = e.key();
    char key = 0;
    if (k == Qt::Key_Equal)
        key = '=';
    else if (k == Qt::Key_Plus)
        key = '+';
    else if (k == Qt::Key_Minus)
        key = '-';
    else if (k == Qt::Key_0)
        key = '0';
    else if (k >= Qt::Key_A && k <= Qt::Key_Z)
        key = char('A' + (k - Qt::Key_A));
    const Qt::KeyboardModifiers m = e.modifiers();
    return viewKeyFor({key, bool(m & Qt::ControlModifier), bool(m & Qt::ShiftModifier),
                       bool(m & Qt::AltModifier), bool(m & Qt::KeypadModifier)});
}

bool ViewKeysFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const ViewKey what = keyOf(*key);
        if (what != ViewKey::None) {
            // Taken as an override, the key comes back as a key press to the widget and so
            // here, whatever shortcut the platform would have matched it with.
            key->accept();
            if (event->type() == QEvent::KeyPress)
                act_(what);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tw
