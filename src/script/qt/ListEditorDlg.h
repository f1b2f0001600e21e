#pragma once
// The frame of the list dialogs (triggers, aliases, the MUD list): the visible list with one
// line per entry, the buttons beside it, the selected entry, the delete question, help, and
// export and import through the file chooser. Every button changes the list at once. The typed
// list behind the lines is reached through the hooks that ListEditor supplies.
#include "script/qt/ListFileDialog.h"

#include <QDialog>
#include <QSize>

#include <cstddef>
#include <optional>
#include <string>

class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace tw {

class Host;

class ListEditorDlg : public QDialog {
    Q_OBJECT
public:
    // What tells one list dialog from another.
    struct Texts {
        const char* caption;        // "Trigger Editor"
        const char* listName;       // "TriggerList"
        QSize listMinimumSize;
        const char* deleteQuestion; // "Really delete selected Trigger from list?"
        const char* helpLine;       // "EXPLORER.EXE docs\\menu_options_triggers.html"
        FileChoice exportChoice;
        FileChoice importChoice;
    };

    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    // Shows the list's lines again; done on every opening, since loading an options file (and,
    // for aliases, the #ALIAS command) changes the list while the dialog is hidden.
    void refreshList();

protected:
    ListEditorDlg(Host& host, Texts texts, QWidget* parent);

    // Adds a button to the column beside the list, below the ones added before.
    QPushButton* addButton(const char* name, const char* caption, void (ListEditorDlg::*slot)());
    // A gap in the button column that parts the list's buttons from the closing ones.
    void addButtonGap();
    // The column of an editor whose buttons act at once: "&OK" only closes it.
    void addEditorButtons();

    QListWidget& list() const { return *list_; }
    // The row of the first selected line, scanning from the top, when it belongs to an entry.
    std::optional<std::size_t> selectedRow() const;
    // Selects a line and makes it the current one.
    void selectLine(int row);

    void showEvent(QShowEvent* event) override;

    // The typed list behind the lines.
    virtual std::size_t entryCount() const = 0;
    virtual std::string entryLine(std::size_t row) const = 0;
    // Run the edit dialog; on an accepted entry they store it and return its line.
    virtual std::optional<std::string> addEntry() = 0;
    virtual std::optional<std::string> editEntry(std::size_t row) = 0;
    virtual void eraseEntry(std::size_t row) = 0;
    // Return the I/O error text on failure.
    virtual std::optional<std::string> exportEntries(const std::string& path) const = 0;
    virtual std::optional<std::string> importEntries(const std::string& path) = 0;

protected slots:
    void AddBtnClick();
    void EditBtnClick();
    void DeleteBtnClick();
    void ExportBtnClick();
    void ImportBtnClick();
    void HelpBtnClick();

private:
    int firstSelectedLine() const;

    Host& host_;
    Texts texts_;
    QListWidget* list_;
    QVBoxLayout* buttons_;
    FileChooser chooseFile_;
};

} // namespace tw
