#pragma once
// "Edit MUD Entry": name, address and port of one MUD list entry. The MUD list fills it, runs
// it modally and stores what OK accepted.
#include "script/qt/EntryEditDlg.h"
#include "settings/MudEntry.h"

#include <optional>

class QLineEdit;

namespace tw {

class TEditMudDlg : public EntryEditDlg {
    Q_OBJECT
public:
    explicit TEditMudDlg(Host& host, QWidget* parent = nullptr);

    // The player types at most four characters of a port.
    static constexpr int PortTypingLimit = 4;

    void prepareAdd();
    void fillFrom(const MudEntry& mud);
    // The entry the boxes describe, or nothing when any box is empty.
    std::optional<MudEntry> acceptedEntry() const;

protected slots:
    // Tells the player about an empty box before closing with OK.
    void OKBtnClick() override;

private:
    QLineEdit* mudName_;
    QLineEdit* mudAddress_;
    QLineEdit* port_;
};

} // namespace tw
