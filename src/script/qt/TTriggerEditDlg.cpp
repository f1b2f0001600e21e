#include "script/qt/TTriggerEditDlg.h"

#include "script/TriggerSwitches.h"
#include "script/qt/ListDialogSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tw {

TTriggerEditDlg::TTriggerEditDlg(Host& host, QWidget* parent)
    : EntryEditDlg(host, "Edit Trigger", "EXPLORER.EXE docs\\trigger_entry.html", parent)
{
    auto* layout = new QVBoxLayout(this);
    keyword_ = addCaptionedEdit(layout, "Trigger Keyword", "Keyword");
    triggerCmd_ = addCaptionedEdit(layout, "Command on Sight", "TriggerCmd");

    activatedBox_ = new QCheckBox("&Activated", this);
    activatedBox_->setObjectName("ActivatedBox");
    activatedBox_->setChecked(true);

    // The caption spaces its two halves over the two lists below it.
    auto* colors = new QGroupBox("       Foreground Color                      Background Color", this);
    foreColor_ = new QComboBox(colors);
    foreColor_->setObjectName("ForeColor");
    foreColor_->setAccessibleName("Foreground Color");
    foreColor_->addItems({"No highlight", "Black", "Blue", "Green", "Cyan", "Red", "Magenta", "Brown",
                          "Light Gray", "Dark Gray", "Light Blue", "Light Green", "Light Cyan",
                          "Light Red", "Light Magenta", "Yellow", "White"});
    backColor_ = new QComboBox(colors);
    backColor_->setObjectName("BackColor");
    backColor_->setAccessibleName("Background Color");
    backColor_->addItems({"Black", "Blue", "Green", "Cyan", "Red", "Magenta", "Brown", "Light Gray"});
    auto* colorRow = new QHBoxLayout(colors);
    colorRow->addWidget(foreColor_, 1);
    colorRow->addSpacing(16);
    colorRow->addWidget(backColor_, 1);

    layout->addWidget(activatedBox_);
    layout->addWidget(colors);
    addButtonRow(layout);
    setFirstBox(keyword_);
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

} // namespace tw
