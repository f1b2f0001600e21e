#include "core/qt/SwitchIndicator.h"

#include <QEvent>

namespace tw {

SwitchIndicator::SwitchIndicator(QLabel& panel) : QLabel(&panel), panel_(panel)
{
    setObjectName("SwitchIndicator");
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setMargin(1);
    QFont small = font();
    small.setBold(true);
    small.setPointSizeF(small.pointSizeF() * 0.8);
    setFont(small);
    hide();
    panel.installEventFilter(this);
}

void SwitchIndicator::showSwitches(const QString& text)
{
    if (text == this->text() && isVisible() == !text.isEmpty())
        return;
    setText(text);
    setVisible(!text.isEmpty());
    place();
}

bool SwitchIndicator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &panel_ && event->type() == QEvent::Resize)
        place();
    return QLabel::eventFilter(watched, event);
}

// Inside the panel's sunken frame, against its right edge.
void SwitchIndicator::place()
{
    const int frame = panel_.frameWidth() + 1;
    const int width = sizeHint().width() + 4;
    const int height = std::max(0, panel_.height() - 2 * frame);
    setGeometry(panel_.width() - frame - width, frame, width, height);
}

} // namespace tw
