#pragma once
// "Edit Alias": the word and its expansion. The alias list dialog fills it, runs it modally and
// stores what OK accepted.
#include "script/AliasEntry.h"

#include <QDialog>

#include <optional>

class QLineEdit;

namespace tw {

class Host;

class TAliasEditDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAliasEditDlg(Host& host, QWidget* parent = nullptr);

    void prepareAdd();
    void fillFrom(const AliasEntry& alias);
    // The alias the boxes describe, or nothing when either box is empty.
    std::optional<AliasEntry> acceptedEntry() const;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void HelpBtnClick();

private:
    Host& host_;
    QLineEdit* keyword_;
    QLineEdit* aliasCmd_;
};

} // namespace tw
