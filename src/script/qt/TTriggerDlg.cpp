#include "script/qt/TTriggerDlg.h"

#include "core/Host.h"
#include "script/TriggerListFile.h"
#include "script/qt/ListDialogSupport.h"
#include "script/qt/TTriggerEditDlg.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

TTriggerDlg::TTriggerDlg(TriggerList& triggers, Host& host, QWidget* parent)
    : QDialog(parent), triggers_(triggers), host_(host), editDlg_(new TTriggerEditDlg(host, this)),
      chooseFile_(ListFileDialog::forParent(this))
{
    setWindowTitle("Trigger Editor");
    setModal(true);

    triggerList_ = new QListWidget(this);
    triggerList_->setObjectName("TriggerList");
    triggerList_->setSelectionMode(QAbstractItemView::SingleSelection);
    triggerList_->setMinimumSize(420, 260);

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const char* name, const char* caption, auto slot) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    addButton("OKBtn", "&OK", &QDialog::accept);
    addButton("AddBtn", "&Add", &TTriggerDlg::AddBtnClick);
    addButton("DeleteBtn", "&Delete", &TTriggerDlg::DeleteBtnClick);
    addButton("EditBtn", "&Edit", &TTriggerDlg::EditBtnClick);
    addButton("ExportBtn", "E&xport", &TTriggerDlg::ExportBtnClick);
    addButton("ImportBtn", "&Import", &TTriggerDlg::ImportBtnClick);
    addButton("HelpBtn", "&Help", &TTriggerDlg::HelpBtnClick);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(triggerList_, 1);
    layout->addLayout(buttons);
}

void TTriggerDlg::refreshList()
{
    showLines(*triggerList_, triggers_);
}

void TTriggerDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    refreshList();
    triggerList_->setFocus();
}

void TTriggerDlg::AddBtnClick()
{
    editDlg_->prepareAdd();
    if (editDlg_->exec() != QDialog::Accepted)
        return;
    if (const auto t = editDlg_->acceptedEntry()) {
        triggers_.push_back(*t);
        triggerList_->addItem(textFromBytes(t->line()));
    }
}

void TTriggerDlg::EditBtnClick()
{
    const int row = firstSelectedRow(*triggerList_);
    if (row < 0 || std::size_t(row) >= triggers_.size())
        return;
    editDlg_->fillFrom(triggers_[std::size_t(row)]);
    if (editDlg_->exec() != QDialog::Accepted)
        return;
    if (const auto t = editDlg_->acceptedEntry()) {
        triggers_[std::size_t(row)] = *t;
        triggerList_->item(row)->setText(textFromBytes(t->line()));
    }
}

void TTriggerDlg::DeleteBtnClick()
{
    const int row = firstSelectedRow(*triggerList_);
    if (row < 0 || std::size_t(row) >= triggers_.size())
        return;
    if (host_.messageBox("Spot Check", "Really delete selected Trigger from list?", MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    triggers_.erase(triggers_.begin() + row);
    delete triggerList_->takeItem(row);
}

void TTriggerDlg::ExportBtnClick()
{
    const QString path = chooseFile_({FileChoice::Save, "Export Trigger List", "trg",
                                      "Trigger List (*.trg)|*.trg|Text File (*.txt)|*.txt|All Files (*.*)|*.*"});
    if (path.isEmpty())
        return;
    if (const auto error = TriggerListFile::exportTo(localPath(path), triggers_))
        host_.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
}

void TTriggerDlg::ImportBtnClick()
{
    const QString path = chooseFile_({FileChoice::Open, "Import Trigger List", "trg",
                                      "Trigger File (*.trg)|*.trg|Text File (*.txt)|*.txt|All Files (*.*)|*.*"});
    if (path.isEmpty())
        return;
    const auto error = TriggerListFile::importFrom(localPath(path), triggers_);
    refreshList();
    if (error)
        host_.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
}

void TTriggerDlg::HelpBtnClick()
{
    host_.runHelp("EXPLORER.EXE docs\\menu_options_triggers.html");
}

} // namespace tw
