#pragma once
// "MUD List": the player's list of games with Add, Edit, Delete, Export and Import, and the
// choice of the game to connect to. The window only chooses; the main window connects.
#include "script/qt/ListEditor.h"
#include "settings/MudEntry.h"
#include "settings/MudListFile.h"
#include "settings/qt/TEditMudDlg.h"

#include <optional>

class QListWidgetItem;

namespace tw {

class TMUDListForm : public ListEditor<MudEntry, TEditMudDlg, MudListFile> {
    Q_OBJECT
public:
    TMUDListForm(MudList& muds, Host& host, QWidget* parent = nullptr);

    // Shows the window modally; returns the selected entry when it was closed with "&Connect"
    // (or a double-click), nothing when cancelled or when no line is selected.
    std::optional<MudEntry> chooseMud();

    // The entry the window's result hands over: the selected entry if the window was closed
    // with Connect, else nothing.
    std::optional<MudEntry> chosenEntry() const;

private slots:
    void MudListBoxDblClick(QListWidgetItem* item);
};

} // namespace tw
