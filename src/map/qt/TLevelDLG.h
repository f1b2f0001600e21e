#pragma once
// "Level": asks for the level number for the map window's Level > Goto. The box keeps the last
// text typed between openings.
#include <QDialog>
#include <QSize>

#include <optional>

class QLineEdit;
class QPushButton;

namespace tw {

class TLevelDLG : public QDialog {
    Q_OBJECT
public:
    explicit TLevelDLG(QWidget* parent = nullptr);
    static constexpr QSize ClientSize{104, 105};

    QLineEdit* LText = nullptr;
    // The level typed, when it is a whole number from 1 to 10.
    std::optional<int> level() const;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace tw
