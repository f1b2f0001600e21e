#pragma once
// "Trigger Editor": the trigger list with Add, Edit, Delete, Export and Import. Every button
// changes the list at once; there is no cancel.
#include "script/TriggerEntry.h"
#include "script/qt/ListFileDialog.h"

#include <QDialog>

class QListWidget;

namespace tw {

class Host;
class TTriggerEditDlg;

class TTriggerDlg : public QDialog {
    Q_OBJECT
public:
    TTriggerDlg(TriggerList& triggers, Host& host, QWidget* parent = nullptr);

    TTriggerEditDlg& editDlg() { return *editDlg_; }
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Shows the list's lines again; done on every opening, since loading an options file
    // replaces the list while the dialog is hidden.
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

private:
    TriggerList& triggers_;
    Host& host_;
    TTriggerEditDlg* editDlg_;
    QListWidget* triggerList_;
    FileChooser chooseFile_;
};

} // namespace tw
