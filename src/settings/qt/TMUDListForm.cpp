#include "settings/qt/TMUDListForm.h"

#include "base/Host.h"
#include "settings/MudChoice.h"

#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

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
                 parent),
      muds_(muds), host_(host)
{
    connect(&list(), &QListWidget::itemDoubleClicked, this, &TMUDListForm::MudListBoxDblClick);

    addButton("AddBtn", "&Add", &TMUDListForm::AddBtnClick);
    addButton("EditBtn", "&Edit", &TMUDListForm::EditBtnClick);
    addButton("DeleteBtn", "&Delete", &TMUDListForm::DeleteBtnClick);
    addButton("ExportBtn", "E&xport", &TMUDListForm::ExportBtnClick);
    addButton("ImportBtn", "&Import", &TMUDListForm::ImportBtnClick);
    addButtonGap();
    addButton("ConnectBtn", "&Connect", static_cast<void (ListEditorDlg::*)()>(&TMUDListForm::ConnectBtnClick))
        ->setDefault(true);
    addButton("CancelBtn", "Ca&ncel", &QDialog::reject);
    addButton("HelpBtn", "&Help", &TMUDListForm::HelpBtnClick);
}

std::optional<MudEntry> TMUDListForm::chooseMud(const std::string& lastUsedLine)
{
    lastUsedLine_ = lastUsedLine;
    exec();
    return chosenEntry();
}

void TMUDListForm::showEvent(QShowEvent* event)
{
    ListEditor::showEvent(event);
    if (event->spontaneous() || selectedRow())
        return;
    if (const auto row = preselectedMud(muds_, lastUsedLine_))
        selectLine(int(*row));
}

// Closing as if connecting while nothing is chosen would connect to nothing, silently.
void TMUDListForm::ConnectBtnClick()
{
    if (!selectedRow()) {
        host_.messageBox("MUD List", PickFirstText, MsgButtons::Ok);
        return;
    }
    accept();
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
