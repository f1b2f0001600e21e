#pragma once
// "Edit MUD Entry": name, address and port of one MUD list entry. The MUD list fills it, runs
// it modally and stores what OK accepted.
#include "settings/MudEntry.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace tw {

class Host;

class TEditMudDlg : public QDialog {
    Q_OBJECT
public:
    explicit TEditMudDlg(Host& host, QWidget* parent = nullptr);

    void prepareAdd();
    void fillFrom(const MudEntry& mud);
    // The entry the boxes describe, or nothing when any box is empty.
    std::optional<MudEntry> acceptedEntry() const;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void OKBtnClick();
    void HelpBtnClick();

private:
    Host& host_;
    QLineEdit* mudName_;
    QLineEdit* mudAddress_;
    QLineEdit* port_;
};

} // namespace tw
