#include "core/qt/VitalsBar.h"

#include "core/VitalsLayout.h"

#include <QPainter>

namespace tw {

namespace {

constexpr int Margin = 2;

QColor colourOf(ColorRef c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

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

} // namespace

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
    while (gauges_.size() > gauges.size()) {
        delete gauges_.back();
        gauges_.pop_back();
    }
    while (gauges_.size() < gauges.size())
        gauges_.push_back(new GaugeView(this));
    for (std::size_t i = 0; i < gauges.size(); ++i)
        static_cast<GaugeView*>(gauges_[i])->setLook(gaugeLook(gauges[i]));
    place();
    setVisible(!gauges.empty());
}

QRect VitalsBar::barRect(std::size_t index) const
{
    if (index >= gauges_.size() || gauges_[index]->isHidden())
        return {};
    const QWidget* gauge = gauges_[index];
    return static_cast<const GaugeView*>(gauge)->bar().translated(gauge->pos());
}

QSize VitalsBar::sizeHint() const { return QSize(MaxGaugeWidth, fontMetrics().height() + 4); }

void VitalsBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

void VitalsBar::place()
{
    const std::vector<GaugePlace> places = gaugePlaces(gauges_.size(), width() - 2 * Margin);
    for (std::size_t i = 0; i < gauges_.size(); ++i) {
        if (i < places.size())
            gauges_[i]->setGeometry(Margin + places[i].x, 0, places[i].width, height());
        gauges_[i]->setVisible(i < places.size());
    }
}

} // namespace tw
