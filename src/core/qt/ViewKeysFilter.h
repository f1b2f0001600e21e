#pragma once
// Catches the colour view's own keys (text size, copying the selection) in the widgets that
// hold the focus, before any shortcut or edit box sees them; every other key passes on.
#include "core/ViewKeys.h"

#include <QObject>

#include <functional>

class QKeyEvent;

namespace tw {

class ViewKeysFilter : public QObject {
    Q_OBJECT
public:
    ViewKeysFilter(std::function<void(ViewKey)> act, QObject* parent);
    void watch(QObject* widget) { widget->installEventFilter(this); }
    static ViewKey keyOf(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(ViewKey)> act_;
};

} // namespace tw
