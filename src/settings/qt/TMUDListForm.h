#pragma once
// "MUD List": the player's list of games with Add, Edit, Delete, Export and Import, and the
// choice of the game to connect to. The window only chooses; the main window connects.
#include "settings/MudEntry.h"
#include "script/qt/ListFileDialog.h"

#include <QDialog>

#include <optional>

class QListWidget;
class QListWidgetItem;

namespace tw {

class Host;
class TEditMudDlg;

class TMUDListForm : public QDialog {
    Q_OBJECT
public:
    TMUDListForm(MudList& muds, Host& host, QWidget* parent = nullptr);

    TEditMudDlg& editDlg() { return *editDlg_; }
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Shows the window modally; returns the selected entry when it was closed with "&Connect"
    // (or a double-click), nothing when cancelled or when no line is selected.
    std::optional<MudEntry> chooseMud();

    // The entry the window's result hands over: the selected entry if the window was closed
    // with Connect, else nothing.
    std::optional<MudEntry> chosenEntry() const;

    void refreshList();

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void ExportBtnClick();
    void ImportBtnClick();
    void HelpBtnClick();
    void MudListBoxDblClick(QListWidgetItem* item);

private:
    MudList& muds_;
    Host& host_;
    TEditMudDlg* editDlg_;
    QListWidget* mudListBox_;
    FileChooser chooseFile_;
};

} // namespace tw
