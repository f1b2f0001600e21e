#include "settings/qt/TMUDListForm.h"

#include <QListWidget>
#include <QPushButton>

namespace tw {

namespace {
const char* const MudListFilter = "MUD List (*.lst)|*.lst|Text File (*.txt)|*.txt|All Files (*.*)|*.*";
}

TMUDListForm::TMUDListForm(MudList& muds, Host& host, QWidget* parent)
    : ListEditor(muds, host,
                 {"MUD List", "MudListBox", {380, 240}, "Really delete selected MUD from list?",
                  "EXPLORER.EXE docs\\menu_mud_connect.html",
                  {FileChoice::Save, "Export MUD List", "lst", MudListFilter},
                  {FileChoice::Open, "Import MUD List", "lst", MudListFilter}},
                 parent)
{
    connect(&list(), &QListWidget::itemDoubleClicked, this, &TMUDListForm::MudListBoxDblClick);

    addButton("AddBtn", "&Add", &TMUDListForm::AddBtnClick);
    addButton("EditBtn", "&Edit", &TMUDListForm::EditBtnClick);
    addButton("DeleteBtn", "&Delete", &TMUDListForm::DeleteBtnClick);
    addButton("ExportBtn", "E&xport", &TMUDListForm::ExportBtnClick);
    addButton("ImportBtn", "&Import", &TMUDListForm::ImportBtnClick);
    addButtonGap();
    addButton("ConnectBtn", "&Connect", &QDialog::accept)->setDefault(true);
    addButton("CancelBtn", "Ca&ncel", &QDialog::reject);
    addButton("HelpBtn", "&Help", &TMUDListForm::HelpBtnClick);
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
    return selectedEntry();
}

void TMUDListForm::MudListBoxDblClick(QListWidgetItem*)
{
    // A double-click closes the window as "&Connect" does.
    accept();
}

} // namespace tw
