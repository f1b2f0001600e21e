#include "tools/qt/SpeechKeysFilter.h"

#include <QKeyEvent>

namespace tw {

SpeechKeysFilter::SpeechKeysFilter(std::function<void()> silence, QObject* parent)
    : QObject(parent), silence_(std::move(silence))
{
}

bool SpeechKeysFilter::eventFilter(QObject* watched, QEvent* event)
{
    // Only what is delivered to a widget counts, once (the window's copy would count twice).
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched->isWidgetType() && !key->isAutoRepeat())
            ctrl_.pressed(key->key());
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched->isWidgetType() && !key->isAutoRepeat() && ctrl_.released(key->key()))
            silence_();
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        ctrl_.otherInput();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tw
