#include "script/qt/TTriggerEditDlg.h"

#include "core/Host.h"
#include "script/TriggerSwitches.h"
#include "script/qt/ListDialogSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

TTriggerEditDlg::TTriggerEditDlg(Host& host, QWidget* parent) : QDialog(parent), host_(host)
{
    setWindowTitle("Edit Trigger");
    setModal(true);

    auto* keywordLabel = new QLabel("Trigger Keyword", this);
    keyword_ = new QLineEdit(this);
    keyword_->setObjectName("Keyword");
    keyword_->setMaxLength(255);
    keywordLabel->setBuddy(keyword_);

    auto* cmdLabel = new QLabel("Command on Sight", this);
    triggerCmd_ = new QLineEdit(this);
    triggerCmd_->setObjectName("TriggerCmd");
    triggerCmd_->setMaxLength(255);
    cmdLabel->setBuddy(triggerCmd_);

    activatedBox_ = new QCheckBox("&Activated", this);
    activatedBox_->setObjectName("ActivatedBox");
    activatedBox_->setChecked(true);

    // The caption spaces its two halves over the two lists below it.
    auto* colors = new QGroupBox("       Foreground Color                      Background Color", this);
    foreColor_ = new QComboBox(colors);
    foreColor_->setObjectName("ForeColor");
    foreColor_->addItems({"No highlight", "Black", "Blue", "Green", "Cyan", "Red", "Magenta", "Brown",
                          "Light Gray", "Dark Gray", "Light Blue", "Light Green", "Light Cyan",
                          "Light Red", "Light Magenta", "Yellow", "White"});
    backColor_ = new QComboBox(colors);
    backColor_->setObjectName("BackColor");
    backColor_->addItems({"Black", "Blue", "Green", "Cyan", "Red", "Magenta", "Brown", "Light Gray"});
    auto* colorRow = new QHBoxLayout(colors);
    colorRow->addWidget(foreColor_, 1);
    colorRow->addSpacing(16);
    colorRow->addWidget(backColor_, 1);

    auto* okBtn = new QPushButton("OK", this);
    okBtn->setObjectName("OKBtn");
    okBtn->setDefault(true);
    auto* cancelBtn = new QPushButton("Cancel", this);
    cancelBtn->setObjectName("CancelBtn");
    auto* helpBtn = new QPushButton("&Help", this);
    helpBtn->setObjectName("HelpBtn");
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpBtn, &QPushButton::clicked, this, &TTriggerEditDlg::HelpBtnClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);
    buttons->addWidget(helpBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(keywordLabel);
    layout->addWidget(keyword_);
    layout->addWidget(cmdLabel);
    layout->addWidget(triggerCmd_);
    layout->addWidget(activatedBox_);
    layout->addWidget(colors);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void TTriggerEditDlg::prepareAdd()
{
    keyword_->clear();
    triggerCmd_->clear();
    foreColor_->setCurrentIndex(0);
    backColor_->setCurrentIndex(0);
}

void TTriggerEditDlg::fillFrom(const TriggerEntry& trigger)
{
    keyword_->setText(textFromBytes(trigger.pattern));
    triggerCmd_->setText(textFromBytes(trigger.response));
    const TriggerSwitches s = TriggerSwitches::fromString(trigger.switches);
    activatedBox_->setChecked(s.active);
    foreColor_->setCurrentIndex(s.fore);
    backColor_->setCurrentIndex(s.back);
}

std::optional<TriggerEntry> TTriggerEditDlg::acceptedEntry() const
{
    TriggerEntry t;
    t.pattern = bytesFromText(keyword_->text());
    if (!TriggerSwitches::acceptsPattern(t.pattern))
        return std::nullopt;
    t.response = bytesFromText(triggerCmd_->text());
    t.switches = TriggerSwitches{activatedBox_->isChecked(), foreColor_->currentIndex(),
                                 backColor_->currentIndex()}.toString();
    return t;
}

void TTriggerEditDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        keyword_->setFocus();
}

void TTriggerEditDlg::HelpBtnClick()
{
    host_.runHelp("EXPLORER.EXE docs\\trigger_entry.html");
}

} // namespace tw
