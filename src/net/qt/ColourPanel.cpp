#include "net/qt/ColourPanel.h"

#include <QMouseEvent>

namespace tw {

ColourPanel::ColourPanel(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setMinimumSize(110, 28);
    setCursor(Qt::PointingHandCursor);
    setColour(Qt::black);
}

void ColourPanel::setColour(const QColor& colour)
{
    colour_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    // The caption stays readable on light and dark colours alike: the eye finds green and
    // yellow far brighter than blue, so weigh the channels as it does.
    const int brightness = (299 * colour.red() + 587 * colour.green() + 114 * colour.blue()) / 1000;
    p.setColor(QPalette::WindowText, brightness > 140 ? Qt::black : Qt::white);
    setPalette(p);
}

void ColourPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace tw
