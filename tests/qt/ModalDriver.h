#pragma once
// Drives a dialog that the code under test runs with exec(): once the dialog is the active
// modal window, the test's action fills it and presses a button. Bounded, so that a fault
// fails the test instead of hanging it.
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tw::test {

inline void whenModal(QDialog& dlg, std::function<void()> action)
{
    // The timer belongs to the dialog, so that it can never outlive it.
    auto* timer = new QTimer(&dlg);
    auto polls = std::make_shared<int>(0);
    auto acted = std::make_shared<bool>(false);
    QObject::connect(&dlg, &QObject::destroyed, [acted, name = dlg.objectName().toStdString()] {
        if (!*acted)
            ADD_FAILURE() << "the dialog " << name << " was never shown";
    });
    QObject::connect(timer, &QTimer::timeout, [timer, &dlg, action, polls, acted] {
        const bool shown = dlg.isVisible() && QApplication::activeModalWidget() == &dlg;
        if (!*acted && shown) {
            *acted = true;
            action();
        }
        if (*acted && !dlg.isVisible()) {
            timer->deleteLater();
            timer->stop();
            return;
        }
        if (++*polls > 1000) { // about five seconds
            ADD_FAILURE() << (*acted ? "the dialog stayed open" : "the dialog was never shown");
            timer->stop();
            timer->deleteLater();
            dlg.reject();
        }
    });
    timer->start(5);
}

} // namespace tw::test
