#include "script/qt/THotkeyDlg.h"

#include "base/Host.h"
#include "script/HotkeyFile.h"
#include "script/qt/DialogButtons.h"
#include "script/qt/ListDialogSupport.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

namespace {
const char* const HotkeyFilter = "Hotkey File (*.hky)|*.hky|Text File (*.txt)|*.txt|All Files (*.*)|*.*";
}

THotkeyDlg::THotkeyDlg(HotkeyTable& hotkeys, Host& host, QWidget* parent)
    : QDialog(parent), hotkeys_(hotkeys), host_(host), work_(hotkeys),
      chooseFile_(ListFileDialog::forParent(this))
{
    setWindowTitle("Define Hotkeys: Regular");
    setModal(true);

    auto* rows = new QGridLayout;
    rows->setColumnStretch(1, 1);
    for (int r = 0; r < RowCount; ++r) {
        const int n = r + 1;
        auto* panel = new QLabel(this);
        panel->setObjectName(QString("Panel%1").arg(n));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setAlignment(Qt::AlignCenter);
        panel->setMinimumWidth(44);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("Edit%1").arg(n));
        edit->setMaxLength(255);
        edit->setMinimumWidth(260);
        // Enter and Add of row n are check boxes 3n-1 and 3n, as the form has always numbered them.
        auto* enter = new QCheckBox("Enter", this);
        enter->setObjectName(QString("CheckBox%1").arg(3 * n - 1));
        auto* add = new QCheckBox("Add", this);
        add->setObjectName(QString("CheckBox%1").arg(3 * n));
        // The key's name names the row's box to screen readers.
        panel->setBuddy(edit);
        rows->addWidget(panel, r, 0);
        rows->addWidget(edit, r, 1);
        rows->addWidget(enter, r, 2);
        rows->addWidget(add, r, 3);
        panels_[std::size_t(r)] = panel;
        edits_[std::size_t(r)] = edit;
        enterBoxes_[std::size_t(r)] = enter;
        addBoxes_[std::size_t(r)] = add;
    }

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](const char* name, const char* caption, auto slot) {
        QPushButton* b = DialogButtons::columnButton(this, name, caption, slot);
        buttons->addWidget(b);
        return b;
    };
    addButton("RegularBtn", "Regular", &THotkeyDlg::RegularBtnClick);
    addButton("ShiftBtn", "Shift +", &THotkeyDlg::ShiftBtnClick);
    buttons->addSpacing(16);
    addButton("OKBtn", "OK", &THotkeyDlg::OKBtnClick)->setDefault(true);
    addButton("CancelBtn", "Cancel", &QDialog::reject);
    buttons->addSpacing(16);
    addButton("ExportBtn", "E&xport", &THotkeyDlg::ExportBtnClick);
    addButton("ImportBtn", "&Import", &THotkeyDlg::ImportBtnClick);
    addButton("HelpBtn", "&Help", &THotkeyDlg::HelpBtnClick);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(rows, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    showView(false);
}

void THotkeyDlg::loadWorkTable()
{
    work_ = hotkeys_;
    showView(false);
}

void THotkeyDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    loadWorkTable();
    edits_[0]->setFocus();
}

void THotkeyDlg::storeRows()
{
    const std::size_t first = shiftView_ ? RowCount : 0;
    for (std::size_t r = 0; r < RowCount; ++r) {
        HotkeyEntry& e = work_[first + r];
        e.text = bytesFromText(edits_[r]->text());
        e.enter = enterBoxes_[r]->isChecked();
        e.add = addBoxes_[r]->isChecked();
    }
}

void THotkeyDlg::showView(bool shift)
{
    shiftView_ = shift;
    setWindowTitle(shift ? "Define Hotkeys: Shift" : "Define Hotkeys: Regular");
    const std::size_t first = shift ? RowCount : 0;
    for (std::size_t r = 0; r < RowCount; ++r) {
        const HotkeyEntry& e = work_[first + r];
        const QString label = textFromBytes(HotkeyFile::label(int(first + r)));
        panels_[r]->setText(label);
        enterBoxes_[r]->setAccessibleName(label + " Enter");
        addBoxes_[r]->setAccessibleName(label + " Add");
        edits_[r]->setText(textFromBytes(e.text));
        edits_[r]->setCursorPosition(0);
        enterBoxes_[r]->setChecked(e.enter);
        addBoxes_[r]->setChecked(e.add);
    }
}

void THotkeyDlg::RegularBtnClick()
{
    storeRows();
    showView(false);
    edits_[0]->setFocus();
}

void THotkeyDlg::ShiftBtnClick()
{
    storeRows();
    showView(true);
    edits_[0]->setFocus();
}

void THotkeyDlg::OKBtnClick()
{
    storeRows();
    hotkeys_ = work_;
    accept();
}

void THotkeyDlg::ExportBtnClick()
{
    // The file gets the hotkeys in effect, not the unsaved changes in the rows.
    ListFileDialog::transfer(chooseFile_, {FileChoice::Save, "Export Hotkey List", "hky", HotkeyFilter}, host_,
                             [this](const std::string& path) { return HotkeyFile::exportTo(path, hotkeys_); });
}

void THotkeyDlg::ImportBtnClick()
{
    const auto importAndShow = [this](const std::string& path) {
        const auto error = HotkeyFile::importFrom(path, hotkeys_, GameText::coding());
        if (!error) {
            work_ = hotkeys_;
            showView(false);
        }
        return error;
    };
    ListFileDialog::transfer(chooseFile_, {FileChoice::Open, "Import Hotkey List", "hky", HotkeyFilter}, host_,
                             importAndShow);
}

void THotkeyDlg::HelpBtnClick()
{
    host_.runHelp("EXPLORER.EXE docs\\menu_options_hotkeys.html");
}

} // namespace tw
