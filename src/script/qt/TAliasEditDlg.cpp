#include "script/qt/TAliasEditDlg.h"

#include "core/Host.h"
#include "script/qt/ListDialogSupport.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

TAliasEditDlg::TAliasEditDlg(Host& host, QWidget* parent) : QDialog(parent), host_(host)
{
    setWindowTitle("Edit Alias");
    setModal(true);

    auto* keywordLabel = new QLabel("Alias Keyword", this);
    keyword_ = new QLineEdit(this);
    keyword_->setObjectName("Keyword");
    keyword_->setMaxLength(255);
    keywordLabel->setBuddy(keyword_);

    auto* cmdLabel = new QLabel("Replace With Command", this);
    aliasCmd_ = new QLineEdit(this);
    aliasCmd_->setObjectName("AliasCmd");
    aliasCmd_->setMaxLength(255);
    cmdLabel->setBuddy(aliasCmd_);

    auto* okBtn = new QPushButton("OK", this);
    okBtn->setObjectName("OKBtn");
    okBtn->setDefault(true);
    auto* cancelBtn = new QPushButton("Cancel", this);
    cancelBtn->setObjectName("CancelBtn");
    auto* helpBtn = new QPushButton("&Help", this);
    helpBtn->setObjectName("HelpBtn");
    connect(okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpBtn, &QPushButton::clicked, this, &TAliasEditDlg::HelpBtnClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);
    buttons->addWidget(helpBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(keywordLabel);
    layout->addWidget(keyword_);
    layout->addWidget(cmdLabel);
    layout->addWidget(aliasCmd_);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void TAliasEditDlg::prepareAdd()
{
    keyword_->clear();
    aliasCmd_->clear();
}

void TAliasEditDlg::fillFrom(const AliasEntry& alias)
{
    keyword_->setText(textFromBytes(alias.word));
    aliasCmd_->setText(textFromBytes(alias.expansion));
}

std::optional<AliasEntry> TAliasEditDlg::acceptedEntry() const
{
    if (keyword_->text().isEmpty() || aliasCmd_->text().isEmpty())
        return std::nullopt;
    return AliasEntry{bytesFromText(keyword_->text()), bytesFromText(aliasCmd_->text())};
}

void TAliasEditDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        keyword_->setFocus();
}

void TAliasEditDlg::HelpBtnClick()
{
    host_.runHelp("EXPLORER.EXE docs\\alias_entry.html");
}

} // namespace tw
