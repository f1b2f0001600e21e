#pragma once
// "Numeric Keypad Configuration": the command of each keypad key, laid out like the keypad,
// and whether the keypad sends them at all. OK stores; Cancel changes nothing.
#include "script/HotkeyTable.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace tw {

class Host;

class TNumPadDlg : public QDialog {
    Q_OBJECT
public:
    TNumPadDlg(KeypadTable& keys, bool& keypadEnabled, Host& host, QWidget* parent = nullptr);

    // The boxes show KeypadTable and KeypadEnabled; done on every opening.
    void fillFromTable();

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void OKBtnClick();
    void HelpBtnClick();

private:
    KeypadTable& keys_;
    bool& keypadEnabled_;
    Host& host_;
    std::array<QComboBox*, KeypadKeyCount> boxes_{}; // keypad 0..9, then the decimal point
    QCheckBox* enablePad_;
    QPushButton* okBtn_;
};

} // namespace tw
