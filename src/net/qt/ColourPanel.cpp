#include "net/qt/ColourPanel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace tw {

namespace {
// A button to assistive technologies, which press it as a click would.
class ColourPanelAccessible : public QAccessibleWidget {
public:
    explicit ColourPanelAccessible(ColourPanel* panel) : QAccessibleWidget(panel, QAccessible::Button) {}
    QString text(QAccessible::Text t) const override
    {
        const auto* panel = static_cast<const ColourPanel*>(widget());
        if (t == QAccessible::Name && panel->accessibleName().isEmpty())
            return panel->text();
        if (t == QAccessible::Description && panel->accessibleDescription().isEmpty())
            return panel->colour().name() + ", Space chooses another colour";
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            emit static_cast<ColourPanel*>(widget())->clicked();
    }
};

QAccessibleInterface* colourPanelAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(ColourPanel::staticMetaObject.className()) && object && object->isWidgetType())
        return new ColourPanelAccessible(static_cast<ColourPanel*>(object));
    return nullptr;
}
} // namespace

ColourPanel::ColourPanel(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setMinimumSize(110, 28);
    setCursor(Qt::PointingHandCursor);
    // Tab reaches it; a click does not take the focus from where it is.
    setFocusPolicy(Qt::TabFocus);
    setColour(Qt::black);
    static const bool accessible = [] {
        QAccessible::installFactory(colourPanelAccessible);
        return true;
    }();
    (void)accessible;
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

void ColourPanel::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ColourPanel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect().adjusted(2, 2, -2, -2);
    option.backgroundColor = colour_;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

} // namespace tw
