#include "core/qt/ReadBackPanes.h"

#include "core/ReadBack.h"
#include "core/qt/MirrorView.h"
#include "core/qt/PaneDivider.h"

#include <algorithm>

namespace tw {

ReadBackPanes::ReadBackPanes(Terminal& terminal, const Palette& palette, ReadBack& readBack, MirrorView& live)
    : QObject(&live), readBack_(readBack), live_(live)
{
    QWidget* parent = live.parentWidget();
    upper_ = new MirrorView(terminal, palette, parent);
    upper_->setObjectName("UpperImage");
    upper_->setAccessibleName("Game text, history");
    upper_->setRows(&readBack.upper());
    upper_->hide();
    divider_ = new PaneDivider(parent);
    divider_->setObjectName("PaneDivider");
    divider_->hide();
    connect(divider_, &PaneDivider::closeClicked, this, [this] { readBack_.join(); });
    connect(divider_, &PaneDivider::dragged, this, [this](int y) {
        if (area_.height() <= 0)
            return;
        const int live = area_.bottom() + 1 - (y + PaneDivider::Height);
        setLivePercent(int(100.0 * live / area_.height() + 0.5));
        layOut();
    });
    connect(divider_, &PaneDivider::released, this, [this] {
        if (livePercentChosen)
            livePercentChosen(livePercent_);
    });
}

void ReadBackPanes::setLivePercent(int percent)
{
    livePercent_ = std::clamp(percent, MinLivePercent, MaxLivePercent);
}

int ReadBackPanes::liveHeight() const
{
    const int cell = live_.cellSize().height;
    // Whole rows, at least one.
    const int rows = std::max(area_.height() * livePercent_ / 100 / std::max(cell, 1), 1);
    return std::min(rows * cell, area_.height());
}

void ReadBackPanes::layOut(QRect area)
{
    area_ = area;
    upper_->setCellSize(live_.cellSize());
    const int live = liveHeight();
    const int upper = std::max(area.height() - live - PaneDivider::Height, 0);
    const int cell = std::max(live_.cellSize().height, 1);
    readBack_.setPaneRows(upper / cell, live / cell);
    if (!readBack_.split()) {
        upper_->hide();
        divider_->hide();
        live_.setGeometry(area);
        return;
    }
    upper_->setGeometry(area.x(), area.y(), area.width(), upper);
    divider_->setGeometry(area.x(), area.y() + upper, area.width(), PaneDivider::Height);
    live_.setGeometry(area.x(), area.y() + upper + PaneDivider::Height, area.width(), live);
    upper_->show();
    divider_->show();
}

void ReadBackPanes::refresh()
{
    live_.refresh();
    if (readBack_.split())
        upper_->refresh();
}

} // namespace tw
