#include "core/qt/MenuKeysFirst.h"

#include <QAction>
#include <QKeyEvent>

namespace tw {

MenuKeysFirst::MenuKeysFirst(std::function<std::vector<QAction*>()> actions, QObject* parent)
    : QObject(parent), actions_(std::move(actions))
{
}

void MenuKeysFirst::watch(QObject* widget) { widget->installEventFilter(this); }

bool MenuKeysFirst::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction* action : actions_()) {
            if (action->isVisible() && action->isEnabled() && !action->shortcut().isEmpty() &&
                action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
                // Left unaccepted, the override lets the shortcut fire instead of the widget.
                key->ignore();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tw
