#pragma once
// "Trigger Editor": the trigger list with Add, Edit, Delete, Export and Import. Every button
// changes the list at once; there is no cancel.
#include "script/TriggerEntry.h"
#include "script/TriggerListFile.h"
#include "script/qt/ListEditor.h"
#include "script/qt/TTriggerEditDlg.h"

namespace tw {

class TTriggerDlg : public ListEditor<TriggerEntry, TTriggerEditDlg, TriggerListFile> {
    Q_OBJECT
public:
    TTriggerDlg(TriggerList& triggers, Host& host, QWidget* parent = nullptr);
};

} // namespace tw
