#pragma once
// "Alias Editor": the alias list with Add, Edit, Delete, Export and Import. Every button
// changes the list at once; there is no cancel.
#include "script/AliasEntry.h"
#include "script/AliasListFile.h"
#include "script/qt/ListEditor.h"
#include "script/qt/TAliasEditDlg.h"

namespace tw {

class TAliasDlg : public ListEditor<AliasEntry, TAliasEditDlg, AliasListFile> {
    Q_OBJECT
public:
    TAliasDlg(AliasList& aliases, Host& host, QWidget* parent = nullptr);
};

} // namespace tw
