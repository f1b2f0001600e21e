#pragma once
// The hotkey dialog: twelve rows showing either F1..F12 or Shift+F1..Shift+F12 of a working
// copy of the hotkey table. OK puts the working copy into effect; Cancel drops it.
#include "script/HotkeyTable.h"
#include "script/qt/ListFileDialog.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tw {

class Host;

class THotkeyDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowCount = HotkeyCount / 2;

    THotkeyDlg(HotkeyTable& hotkeys, Host& host, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // HotkeyWorkTable := HotkeyTable and the Regular view; done on every opening.
    void loadWorkTable();
    const HotkeyTable& workTable() const { return work_; }
    bool showingShift() const { return shiftView_; }

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void RegularBtnClick();
    void ShiftBtnClick();
    void OKBtnClick();
    void ExportBtnClick();
    void ImportBtnClick();
    void HelpBtnClick();

private:
    void storeRows();
    void showView(bool shift);

    HotkeyTable& hotkeys_;
    Host& host_;
    HotkeyTable work_; // HotkeyWorkTable
    bool shiftView_ = false;
    std::array<QLabel*, RowCount> panels_{};
    std::array<QLineEdit*, RowCount> edits_{};
    std::array<QCheckBox*, RowCount> enterBoxes_{};
    std::array<QCheckBox*, RowCount> addBoxes_{};
    FileChooser chooseFile_;
};

} // namespace tw
