#pragma once
// "General Setup": the scalar settings of the program.
#include "settings/SetupVars.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QPushButton;

namespace tw {

class Host;
class PlainView;

class TSetupDlg : public QDialog {
    Q_OBJECT
public:
    // terminal is the plain-text view whose font and word wrap the settings control.
    TSetupDlg(SetupVars& vars, PlainView& terminal, Host& host, QWidget* parent = nullptr);

    void InitSetupVars();
    void FillValues();
    void OKBtnClick();
    void CancelBtnClick();
    void Button1Click();
    void Button2Click();
    void CheckData3();
    void CheckData4();
    void HelpBtnClick();

    void applyFontToTerminal(const QFont& font, const QColor& color);

    // Choosers, replaceable so that tests never open a system dialog.
    std::function<bool(QFont&)> chooseFont;
    std::function<bool(QColor&)> chooseColor;

    // What FontDialog1 and ColorDialog1 hold until Apply. Apply stores the font and the colour
    // only when the player chose them, so stored values this desktop cannot show (a pitch, a
    // system colour) survive.
    QFont pendingFont;
    QColor pendingColor;
    bool fontChosen = false;
    bool colorChosen = false;

    QLineEdit *Edit5, *Edit6, *Edit3, *Edit4, *NoteTo, *NoteSubject, *NotePlus, *NoteSend;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
    QCheckBox *CheckBox4, *CheckBox3;
    QPushButton *OKBtn, *CancelBtn, *HelpBtn, *Button1, *Button2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readControls();
    SetupVars& vars_;
    PlainView& terminal_;
    Host& host_;
};

} // namespace tw
