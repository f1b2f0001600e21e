#pragma once
// A thin row of small gauges for the character's vitals (hit points, mana, moves ...), one per
// gauge the game sends, in its order; hidden while the game sends none.
#include "core/VitalsLayout.h"
#include "net/GameData.h"

#include <QWidget>

#include <vector>

namespace tw {

class GaugeView;

class VitalsBar : public QWidget {
    Q_OBJECT
public:
    explicit VitalsBar(QWidget* parent = nullptr);

    // Shows these gauges; with none the row hides.
    void showGauges(const std::vector<VitalGauge>& gauges);
    // Where gauge index's bar lies in this row; empty when the gauge is not shown.
    QRect barRect(std::size_t index) const;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void place();
    std::vector<GaugeLook> looks_;
    std::vector<GaugeView*> gauges_;  // one for each gauge that fits the row, in order
};

} // namespace tw
