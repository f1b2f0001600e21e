#pragma once
// "Edit Alias": the word and its expansion. The alias list dialog fills it, runs it modally and
// stores what OK accepted.
#include "script/AliasEntry.h"
#include "script/qt/EntryEditDlg.h"

#include <optional>

class QLineEdit;

namespace tw {

class TAliasEditDlg : public EntryEditDlg {
    Q_OBJECT
public:
    explicit TAliasEditDlg(Host& host, QWidget* parent = nullptr);

    void prepareAdd();
    void fillFrom(const AliasEntry& alias);
    // The alias the boxes describe, or nothing when either box is empty.
    std::optional<AliasEntry> acceptedEntry() const;

private:
    QLineEdit* keyword_;
    QLineEdit* aliasCmd_;
};

} // namespace tw
