#include "settings/qt/TMUDListForm.h"

#include "core/Host.h"
#include "script/qt/ListDialogSupport.h"
#include "settings/MudListFile.h"
#include "settings/qt/TEditMudDlg.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

namespace {
const char* const MudListFilter = "MUD List (*.lst)|*.lst|Text File (*.txt)|*.txt|All Files (*.*)|*.*";
}

TMUDListForm::TMUDListForm(MudList& muds, Host& host, QWidget* parent)
    : QDialog(parent), muds_(muds), host_(host), editDlg_(new TEditMudDlg(host, this)),
      chooseFile_(ListFileDialog::forParent(this))
{
    setWindowTitle("MUD List");
    setModal(true);

    mudListBox_ = new QListWidget(this);
    mudListBox_->setObjectName("MudListBox");
    mudListBox_->setSelectionMode(QAbstractItemView::SingleSelection);
    mudListBox_->setMinimumSize(380, 240);
    connect(mudListBox_, &QListWidget::itemDoubleClicked, this, &TMUDListForm::MudListBoxDblClick);

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const char* name, const char* caption, auto slot) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    addButton("AddBtn", "&Add", &TMUDListForm::AddBtnClick);
    addButton("EditBtn", "&Edit", &TMUDListForm::EditBtnClick);
    addButton("DeleteBtn", "&Delete", &TMUDListForm::DeleteBtnClick);
    addButton("ExportBtn", "E&xport", &TMUDListForm::ExportBtnClick);
    addButton("ImportBtn", "&Import", &TMUDListForm::ImportBtnClick);
    buttons->addSpacing(16);
    addButton("ConnectBtn", "&Connect", &QDialog::accept)->setDefault(true);
    addButton("CancelBtn", "Ca&ncel", &QDialog::reject);
    addButton("HelpBtn", "&Help", &TMUDListForm::HelpBtnClick);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(mudListBox_, 1);
    layout->addLayout(buttons);
}

std::optional<MudEntry> TMUDListForm::chooseMud()
{
    exec();
    return chosenEntry();
}

std::optional<MudEntry> TMUDListForm::chosenEntry() const
{
    if (result() != QDialog::Accepted)
        return std::nullopt;
    const int row = firstSelectedRow(*mudListBox_);
    if (row < 0 || std::size_t(row) >= muds_.size())
        return std::nullopt;
    return muds_[std::size_t(row)];
}

void TMUDListForm::refreshList()
{
    showLines(*mudListBox_, muds_);
}

void TMUDListForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    refreshList();
    mudListBox_->setFocus();
}

void TMUDListForm::AddBtnClick()
{
    editDlg_->prepareAdd();
    if (editDlg_->exec() != QDialog::Accepted)
        return;
    if (const auto m = editDlg_->acceptedEntry()) {
        muds_.push_back(*m);
        mudListBox_->addItem(textFromBytes(m->line()));
    }
}

void TMUDListForm::EditBtnClick()
{
    const int row = firstSelectedRow(*mudListBox_);
    if (row < 0 || std::size_t(row) >= muds_.size())
        return;
    editDlg_->fillFrom(muds_[std::size_t(row)]);
    if (editDlg_->exec() != QDialog::Accepted)
        return;
    if (const auto m = editDlg_->acceptedEntry()) {
        muds_[std::size_t(row)] = *m;
        mudListBox_->item(row)->setText(textFromBytes(m->line()));
    }
}

void TMUDListForm::DeleteBtnClick()
{
    const int row = firstSelectedRow(*mudListBox_);
    if (row < 0 || std::size_t(row) >= muds_.size())
        return;
    if (host_.messageBox("Spot Check", "Really delete selected MUD from list?", MsgButtons::YesNo)
        != MsgAnswer::Yes)
        return;
    muds_.erase(muds_.begin() + row);
    delete mudListBox_->takeItem(row);
}

void TMUDListForm::ExportBtnClick()
{
    const QString path = chooseFile_({FileChoice::Save, "Export MUD List", "lst", MudListFilter});
    if (path.isEmpty())
        return;
    if (const auto error = MudListFile::exportTo(localPath(path), muds_))
        host_.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
}

void TMUDListForm::ImportBtnClick()
{
    const QString path = chooseFile_({FileChoice::Open, "Import MUD List", "lst", MudListFilter});
    if (path.isEmpty())
        return;
    const auto error = MudListFile::importFrom(localPath(path), muds_);
    refreshList();
    if (error)
        host_.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
}

void TMUDListForm::HelpBtnClick()
{
    host_.runHelp("EXPLORER.EXE docs\\menu_mud_connect.html");
}

void TMUDListForm::MudListBoxDblClick(QListWidgetItem*)
{
    // A double-click closes the window as "&Connect" does.
    accept();
}

} // namespace tw
