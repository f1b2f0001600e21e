#include "core/qt/VitalsBar.h"

#include "core/VitalsLayout.h"

#include <QPainter>

namespace tw {

namespace {

constexpr int Margin = 2;

QColor colourOf(ColorRef c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

} // namespace

// One gauge: its name, then the bar with its numbers on it. A screen reader reads the whole
// as its name ("HP 34 of 40").
class GaugeView : public QWidget {
public:
    explicit GaugeView(QWidget* parent) : QWidget(parent) {}

    void setLook(GaugeLook look)
    {
        if (look == look_)
            return;
        look_ = std::move(look);
        setAccessibleName(QString::fromStdString(look_.spoken));
        update();
    }

    QRect bar() const
    {
        const int label = std::min(fontMetrics().horizontalAdvance(labelText()) + 6, width() / 3);
        return QRect(label, 1, std::max(0, width() - label), std::max(0, height() - 2));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect area = bar();
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(QRect(0, 0, area.left(), height()), Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(labelText(), Qt::ElideRight, area.left()));
        p.fillRect(area, colourOf(GaugeTrackColour));
        p.fillRect(area.adjusted(0, 0, filledWidth(look_.fraction, area.width()) - area.width(), 0),
                   colourOf(look_.colour));
        // A dark shadow keeps the numbers readable over the filled and the unfilled part alike.
        const QString text = fontMetrics().elidedText(QString::fromStdString(look_.text), Qt::ElideRight,
                                                      area.width() - 4);
        p.setPen(Qt::black);
        p.drawText(area.translated(1, 1), Qt::AlignCenter, text);
        p.setPen(colourOf(GaugeTextColour));
        p.drawText(area, Qt::AlignCenter, text);
    }

private:
    QString labelText() const { return QString::fromStdString(look_.label); }
    GaugeLook look_;
};

VitalsBar::VitalsBar(QWidget* parent) : QWidget(parent)
{
    setObjectName("Vitals");
    setAccessibleName("Vitals");
    QFont small = font();
    small.setBold(true);
    small.setPointSizeF(small.pointSizeF() * 0.85);
    setFont(small);
    hide();
}

void VitalsBar::showGauges(const std::vector<VitalGauge>& gauges)
{
    looks_.clear();
    for (const VitalGauge& gauge : gauges)
        looks_.push_back(gaugeLook(gauge));
    place();
    setVisible(!gauges.empty());
}

QRect VitalsBar::barRect(std::size_t index) const
{
    if (index >= gauges_.size())
        return {};
    return gauges_[index]->bar().translated(gauges_[index]->pos());
}

QSize VitalsBar::sizeHint() const { return QSize(MaxGaugeWidth, fontMetrics().height() + 4); }

void VitalsBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

// Only the gauges that fit have a widget: a game that sends hundreds gets as many as the row holds.
void VitalsBar::place()
{
    const std::vector<GaugePlace> places = gaugePlaces(looks_.size(), width() - 2 * Margin);
    while (gauges_.size() > places.size()) {
        delete gauges_.back();
        gauges_.pop_back();
    }
    while (gauges_.size() < places.size()) {
        gauges_.push_back(new GaugeView(this));
        gauges_.back()->show();
    }
    for (std::size_t i = 0; i < places.size(); ++i) {
        gauges_[i]->setGeometry(Margin + places[i].x, 0, places[i].width, height());
        gauges_[i]->setLook(looks_[i]);
    }
}

} // namespace tw
