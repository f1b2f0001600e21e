#include "script/qt/TNumPadDlg.h"

#include "base/Host.h"
#include "script/qt/DialogButtons.h"
#include "script/qt/ListDialogSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

TNumPadDlg::TNumPadDlg(KeypadTable& keys, bool& keypadEnabled, Host& host, QWidget* parent)
    : QDialog(parent), keys_(keys), keypadEnabled_(keypadEnabled), host_(host)
{
    setWindowTitle("Numeric Keypad Configuration");
    setModal(true);

    const QStringList suggestions = {"northwest", "nw", "north", "n", "northeast", "ne",
                                     "southwest", "sw", "south", "s", "southeast", "se",
                                     "west", "w", "east", "e", "up", "u", "down", "d", "look", "l"};
    for (int k = 0; k < KeypadKeyCount; ++k) {
        auto* box = new QComboBox(this);
        // Keys 0..9 are ComboBox0..ComboBox9; the decimal point's box is plain ComboBox.
        box->setObjectName(k < 10 ? QString("ComboBox%1").arg(k) : QString("ComboBox"));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->addItems(suggestions);
        box->lineEdit()->setMaxLength(255);
        box->setMinimumWidth(110);
        const QString name = k < 10 ? QString("Keypad %1").arg(k) : QString("Keypad .");
        box->setAccessibleName(name);
        box->lineEdit()->setAccessibleName(name);
        boxes_[std::size_t(k)] = box;
    }
    enablePad_ = new QCheckBox("Enable", this);
    enablePad_->setObjectName("EnablePad");

    auto* pad = new QGridLayout;
    const int keyAt[3][3] = {{7, 8, 9}, {4, 5, 6}, {1, 2, 3}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            pad->addWidget(boxes_[std::size_t(keyAt[row][col])], row, col);
    pad->addWidget(boxes_[0], 3, 0);
    pad->addWidget(boxes_[10], 3, 1);
    pad->addWidget(enablePad_, 3, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pad);
    layout->addSpacing(8);
    okBtn_ = DialogButtons::addOkCancelHelpRow(layout, this, &TNumPadDlg::OKBtnClick, &TNumPadDlg::HelpBtnClick);
    // Tab goes as the keys lie: row by row from 7, 8, 9 down to 0 and the point.
    QWidget* previous = boxes_[7];
    for (const int k : {8, 9, 4, 5, 6, 1, 2, 3, 0, 10}) {
        setTabOrder(previous, boxes_[std::size_t(k)]);
        previous = boxes_[std::size_t(k)];
    }
    setTabOrder(previous, enablePad_);

    fillFromTable();
}

void TNumPadDlg::fillFromTable()
{
    for (std::size_t k = 0; k < boxes_.size(); ++k) {
        boxes_[k]->setCurrentIndex(-1);
        boxes_[k]->setEditText(textFromBytes(keys_[k]));
    }
    enablePad_->setChecked(keypadEnabled_);
}

void TNumPadDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    fillFromTable();
    okBtn_->setFocus();
}

void TNumPadDlg::OKBtnClick()
{
    for (std::size_t k = 0; k < boxes_.size(); ++k)
        keys_[k] = bytesFromText(boxes_[k]->currentText().left(255));
    keypadEnabled_ = enablePad_->isChecked();
    accept();
}

void TNumPadDlg::HelpBtnClick()
{
    host_.runHelp("EXPLORER.EXE docs\\menu_options_keypad.html");
}

} // namespace tw
