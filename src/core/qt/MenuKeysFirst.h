#pragma once
// Lets the main menu's shortcuts win over the editing keys of the widget it watches. On X11 a
// QLineEdit claims Ctrl+E (end of line) and Ctrl+Z (undo) before any menu sees them, so "Run
// &Editor" and "&Automap" would never fire from the command line.
#include <QObject>

#include <functional>
#include <vector>

class QAction;

namespace tw {

class MenuKeysFirst : public QObject {
    Q_OBJECT
public:
    // actions lists the menu's items; only the visible, enabled ones with a shortcut count.
    MenuKeysFirst(std::function<std::vector<QAction*>()> actions, QObject* parent);

    // Watches a widget: a key combination that a menu item claims goes to that item.
    void watch(QObject* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<std::vector<QAction*>()> actions_;
};

} // namespace tw
