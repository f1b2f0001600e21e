#include "core/qt/PaneDivider.h"

#include <QMouseEvent>
#include <QPainter>

namespace tw {

PaneDivider::PaneDivider(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::SplitVCursor);
    setFocusPolicy(Qt::NoFocus);
    setToolTip("Drag to resize; click the cross (or press End) to follow the text again");
}

QRect PaneDivider::closeMarkRect() const { return {width() - Height - 4, 0, Height, Height}; }

void PaneDivider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(96, 96, 96));
    painter.setPen(QColor(160, 160, 160));
    const int middle = height() / 2;
    for (int x = width() / 2 - 20; x <= width() / 2 + 20; x += 4)
        painter.drawPoint(x, middle);
    const QRect mark = closeMarkRect().adjusted(3, 3, -3, -3);
    painter.setPen(QPen(QColor(240, 240, 240), 2));
    painter.drawLine(mark.topLeft(), mark.bottomRight());
    painter.drawLine(mark.topRight(), mark.bottomLeft());
}

void PaneDivider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (closeMarkRect().contains(event->position().toPoint())) {
        emit closeClicked();
        return;
    }
    dragging_ = true;
    grabY_ = int(event->position().y());
}

void PaneDivider::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        emit dragged(mapToParent(event->position().toPoint()).y() - grabY_);
}

void PaneDivider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    emit released();
}

} // namespace tw
