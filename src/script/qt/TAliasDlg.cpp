#include "script/qt/TAliasDlg.h"

#include "core/Host.h"
#include "script/AliasListFile.h"
#include "script/qt/ListDialogSupport.h"
#include "script/qt/TAliasEditDlg.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

TAliasDlg::TAliasDlg(AliasList& aliases, Host& host, QWidget* parent)
    : QDialog(parent), aliases_(aliases), host_(host), editDlg_(new TAliasEditDlg(host, this)),
      chooseFile_(ListFileDialog::forParent(this))
{
    setWindowTitle("Alias Editor");
    setModal(true);

    aliasList_ = new QListWidget(this);
    aliasList_->setObjectName("AliasList");
    aliasList_->setSelectionMode(QAbstractItemView::SingleSelection);
    aliasList_->setMinimumSize(420, 260);

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const char* name, const char* caption, auto slot) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    addButton("OKBtn", "&OK", &QDialog::accept);
    addButton("AddBtn", "&Add", &TAliasDlg::AddBtnClick);
    addButton("DeleteBtn", "&Delete", &TAliasDlg::DeleteBtnClick);
    addButton("EditBtn", "&Edit", &TAliasDlg::EditBtnClick);
    addButton("ExportBtn", "E&xport", &TAliasDlg::ExportBtnClick);
    addButton("ImportBtn", "&Import", &TAliasDlg::ImportBtnClick);
    addButton("HelpBtn", "&Help", &TAliasDlg::HelpBtnClick);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(aliasList_, 1);
    layout->addLayout(buttons);
}

void TAliasDlg::refreshList()
{
    showLines(*aliasList_, aliases_);
}

void TAliasDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    refreshList();
    aliasList_->setFocus();
}

void TAliasDlg::AddBtnClick()
{
    editDlg_->prepareAdd();
    if (editDlg_->exec() != QDialog::Accepted)
        return;
    if (const auto a = editDlg_->acceptedEntry()) {
        aliases_.push_back(*a);
        aliasList_->addItem(textFromBytes(a->line()));
    }
}

void TAliasDlg::EditBtnClick()
{
    const int row = firstSelectedRow(*aliasList_);
    if (row < 0 || std::size_t(row) >= aliases_.size())
        return;
    editDlg_->fillFrom(aliases_[std::size_t(row)]);
    if (editDlg_->exec() != QDialog::Accepted)
        return;
    if (const auto a = editDlg_->acceptedEntry()) {
        aliases_[std::size_t(row)] = *a;
        aliasList_->item(row)->setText(textFromBytes(a->line()));
    }
}

void TAliasDlg::DeleteBtnClick()
{
    const int row = firstSelectedRow(*aliasList_);
    if (row < 0 || std::size_t(row) >= aliases_.size())
        return;
    if (host_.messageBox("Spot Check", "Really delete selected alias from list?", MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    aliases_.erase(aliases_.begin() + row);
    delete aliasList_->takeItem(row);
}

void TAliasDlg::ExportBtnClick()
{
    const QString path = chooseFile_({FileChoice::Save, "Export Alias List", "als",
                                      "Alias List (*.als)|*.als|Text File (*.txt)|*.txt|All Files (*.*)|*.*"});
    if (path.isEmpty())
        return;
    if (const auto error = AliasListFile::exportTo(localPath(path), aliases_))
        host_.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
}

void TAliasDlg::ImportBtnClick()
{
    const QString path = chooseFile_({FileChoice::Open, "Import Alias List", "als",
                                      "Alias File (*.als)|*.als|Text File (*.txt)|*.txt|All Files (*.*)|*.*"});
    if (path.isEmpty())
        return;
    const auto error = AliasListFile::importFrom(localPath(path), aliases_);
    refreshList();
    if (error)
        host_.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
}

void TAliasDlg::HelpBtnClick()
{
    host_.runHelp("EXPLORER.EXE docs\\menu_options_aliases.html");
}

} // namespace tw
