#pragma once
// The settings of the speech of incoming text: the rate and the muted texts, one per line.
#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QSpinBox;

namespace tw {

class SpeechSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit SpeechSettingsDlg(QWidget* parent = nullptr);

    // Shows rate and muted texts; on OK they hold what the player set (empty lines dropped).
    bool edit(int& rate, QStringList& muted);

    QSpinBox* RateBox = nullptr;
    QPlainTextEdit* MutedBox = nullptr;
};

} // namespace tw
