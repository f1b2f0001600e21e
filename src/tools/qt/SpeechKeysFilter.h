#pragma once
// Watches every key of the program for a lone Ctrl (pressed and released with nothing
// between), the key that silences speech.
#include "tools/SpeechQueue.h"

#include <QObject>

#include <functional>

namespace tw {

class SpeechKeysFilter : public QObject {
    Q_OBJECT
public:
    SpeechKeysFilter(std::function<void()> silence, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> silence_;
    LoneKey ctrl_{Qt::Key_Control};
};

} // namespace tw
