#pragma once
// "Alias Editor": the alias list with Add, Edit, Delete, Export and Import. Every button
// changes the list at once; there is no cancel.
#include "script/AliasEntry.h"
#include "script/qt/ListFileDialog.h"

#include <QDialog>

class QListWidget;

namespace tw {

class Host;
class TAliasEditDlg;

class TAliasDlg : public QDialog {
    Q_OBJECT
public:
    TAliasDlg(AliasList& aliases, Host& host, QWidget* parent = nullptr);

    TAliasEditDlg& editDlg() { return *editDlg_; }
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Shows the list's lines again; done on every opening, since loading an options file and
    // the #ALIAS command change the list while the dialog is hidden.
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
    AliasList& aliases_;
    Host& host_;
    TAliasEditDlg* editDlg_;
    QListWidget* aliasList_;
    FileChooser chooseFile_;
};

} // namespace tw
