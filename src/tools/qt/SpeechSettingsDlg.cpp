#include "tools/qt/SpeechSettingsDlg.h"

#include "tools/qt/SpeechOutput.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tw {

SpeechSettingsDlg::SpeechSettingsDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("SpeechSettingsDlg");
    setWindowTitle("Speech Settings");
    setModal(true);

    auto* rateLabel = new QLabel("Speaking &rate (-10 slowest, 0 the voice's own, 10 fastest):", this);
    RateBox = new QSpinBox(this);
    RateBox->setObjectName("RateBox");
    RateBox->setRange(SpeechOutput::SlowestRate, SpeechOutput::FastestRate);
    rateLabel->setBuddy(RateBox);

    auto* mutedLabel = new QLabel("&Muted texts, one per line: lines that contain one are not spoken", this);
    MutedBox = new QPlainTextEdit(this);
    MutedBox->setObjectName("MutedBox");
    MutedBox->setTabChangesFocus(true);
    MutedBox->setMinimumSize(360, 140);
    mutedLabel->setBuddy(MutedBox);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rateLabel);
    layout->addWidget(RateBox);
    layout->addWidget(mutedLabel);
    layout->addWidget(MutedBox, 1);
    layout->addWidget(buttons);
}

bool SpeechSettingsDlg::edit(int& rate, QStringList& muted)
{
    RateBox->setValue(rate);
    MutedBox->setPlainText(muted.join('\n'));
    RateBox->setFocus();
    if (exec() != QDialog::Accepted)
        return false;
    rate = RateBox->value();
    muted.clear();
    for (const QString& line : MutedBox->toPlainText().split('\n'))
        if (!line.trimmed().isEmpty())
            muted << line;
    return true;
}

} // namespace tw
