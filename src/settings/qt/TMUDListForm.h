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

    // The text when "&Connect" is pressed with no game selected; the window stays open.
    static constexpr const char* PickFirstText = "Pick a game in the list first.";

    // Shows the window modally; returns the selected entry when it was closed with "&Connect"
    // (or a double-click), nothing when cancelled. The window opens with the line the player
    // left selected, else the game of lastUsedLine, else the first, and the list has the
    // focus, so that Enter connects.
    std::optional<MudEntry> chooseMud(const std::string& lastUsedLine = {});

    // The entry the window's result hands over: the selected entry if the window was closed
    // with Connect, else nothing.
    std::optional<MudEntry> chosenEntry() const;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void MudListBoxDblClick(QListWidgetItem* item);
    void ConnectBtnClick();

private:
    MudList& muds_;
    Host& host_;
    std::string lastUsedLine_;
};

} // namespace tw
