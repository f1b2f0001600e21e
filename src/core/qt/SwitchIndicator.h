#pragma once
#include <QLabel>

namespace tw {

// A small label at the right edge of a status panel, inside it, showing which switches are on
// ("MAP", "LOG"); hidden while none is. The panel keeps its size and place.
class SwitchIndicator : public QLabel {
    Q_OBJECT
public:
    explicit SwitchIndicator(QLabel& panel);

    void showSwitches(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    QLabel& panel_;
};

} // namespace tw
