#pragma once
// "Stat Roller": the minimums for the five statistics and their total, a race choice that
// fills them, and the Roll/Stop switch. Modeless; Escape hides it while rolling goes on.
#include "tools/StatRoller.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tw {

class TStatRollDlg : public QDialog {
    Q_OBJECT
public:
    explicit TStatRollDlg(StatRoller& roller, QWidget* parent = nullptr);

    QLineEdit* ESTR = nullptr;
    QLineEdit* EINT = nullptr;
    QLineEdit* EWIS = nullptr;
    QLineEdit* EDEX = nullptr;
    QLineEdit* ECON = nullptr;
    QLineEdit* ETOT = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* RollBtn = nullptr;
    QPushButton* QuitBtn = nullptr;

    // Shows the roller's boxes and state.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RollBtnClick();
    void QuitBtnClick();

    StatRoller& roller_;
    std::array<QLineEdit*, StatRoller::BoxCount> boxes_{};
};

} // namespace tw
