#include "script/qt/ListEditorDlg.h"

#include "base/ListFileText.h"

#include "base/Host.h"
#include "script/qt/DialogButtons.h"
#include "script/qt/ListDialogSupport.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

ListEditorDlg::ListEditorDlg(Host& host, Texts texts, QWidget* parent)
    : QDialog(parent), host_(host), texts_(std::move(texts)), chooseFile_(ListFileDialog::forParent(this))
{
    setWindowTitle(texts_.caption);
    setModal(true);

    list_ = new QListWidget(this);
    list_->setObjectName(texts_.listName);
    list_->setAccessibleName(texts_.caption);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumSize(texts_.listMinimumSize);
    // Every line is one line of text: the view measures one, not each of up to 65535.
    list_->setUniformItemSizes(true);

    // The stretch keeps the buttons at the top; they are inserted above it.
    buttons_ = new QVBoxLayout;
    buttons_->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons_);
}

QPushButton* ListEditorDlg::addButton(const char* name, const char* caption, void (ListEditorDlg::*slot)())
{
    QPushButton* b = DialogButtons::columnButton(this, name, caption, slot);
    buttons_->insertWidget(buttons_->count() - 1, b);
    return b;
}

void ListEditorDlg::addButtonGap()
{
    buttons_->insertSpacing(buttons_->count() - 1, 16);
}

void ListEditorDlg::addEditorButtons()
{
    addButton("OKBtn", "&OK", &QDialog::accept);
    addButton("AddBtn", "&Add", &ListEditorDlg::AddBtnClick);
    addButton("DeleteBtn", "&Delete", &ListEditorDlg::DeleteBtnClick);
    addButton("EditBtn", "&Edit", &ListEditorDlg::EditBtnClick);
    addButton("ExportBtn", "E&xport", &ListEditorDlg::ExportBtnClick);
    addButton("ImportBtn", "&Import", &ListEditorDlg::ImportBtnClick);
    addButton("HelpBtn", "&Help", &ListEditorDlg::HelpBtnClick);
}

int ListEditorDlg::firstSelectedLine() const
{
    // The selection's own rows, not every line asked in turn: lists may hold 65535 lines.
    int first = -1;
    for (const QModelIndex& index : list_->selectionModel()->selectedIndexes())
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

std::optional<std::size_t> ListEditorDlg::selectedRow() const
{
    const int line = firstSelectedLine();
    if (line < 0 || std::size_t(line) >= entryCount())
        return std::nullopt;
    return std::size_t(line);
}

void ListEditorDlg::selectLine(int row)
{
    if (row < 0 || row >= list_->count())
        return;
    list_->setCurrentRow(row);
    list_->item(row)->setSelected(true);
}

void ListEditorDlg::refreshList()
{
    // The selected row stays selected where it still exists.
    const int selected = firstSelectedLine();
    list_->clear();
    // In one piece: the view takes in all lines at once rather than one at a time.
    QStringList lines;
    lines.reserve(qsizetype(entryCount()));
    for (std::size_t row = 0; row < entryCount(); ++row)
        lines << textFromBytes(entryLine(row));
    list_->addItems(lines);
    selectLine(selected);
}

void ListEditorDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    refreshList();
    list_->setFocus();
}

void ListEditorDlg::AddBtnClick()
{
    if (entryCount() >= MaxListEntries) {
        host_.messageBox(GeneralErrorCaption, ListFullText, MsgButtons::Ok);
        return;
    }
    if (const auto line = addEntry())
        list_->addItem(textFromBytes(*line));
}

void ListEditorDlg::EditBtnClick()
{
    const auto row = selectedRow();
    if (!row)
        return;
    if (const auto line = editEntry(*row))
        list_->item(int(*row))->setText(textFromBytes(*line));
}

void ListEditorDlg::DeleteBtnClick()
{
    const auto row = selectedRow();
    if (!row)
        return;
    if (host_.messageBox("Spot Check", texts_.deleteQuestion, MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    eraseEntry(*row);
    delete list_->takeItem(int(*row));
}

void ListEditorDlg::ExportBtnClick()
{
    ListFileDialog::transfer(chooseFile_, texts_.exportChoice, host_,
                             [this](const std::string& path) { return exportEntries(path); });
}

void ListEditorDlg::ImportBtnClick()
{
    ListFileDialog::transfer(chooseFile_, texts_.importChoice, host_, [this](const std::string& path) {
        const auto error = importEntries(path);
        refreshList();
        return error;
    });
}

void ListEditorDlg::HelpBtnClick()
{
    host_.runHelp(texts_.helpLine);
}

} // namespace tw
