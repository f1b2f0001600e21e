#include "script/qt/TTriggerDlg.h"

namespace tw {

TTriggerDlg::TTriggerDlg(TriggerList& triggers, Host& host, QWidget* parent)
    : ListEditor(triggers, host,
                 {"Trigger Editor", "TriggerList", {420, 260}, "Really delete selected Trigger from list?",
                  "EXPLORER.EXE docs\\menu_options_triggers.html",
                  {FileChoice::Save, "Export Trigger List", "trg",
                   "Trigger List (*.trg)|*.trg|Text File (*.txt)|*.txt|All Files (*.*)|*.*"},
                  {FileChoice::Open, "Import Trigger List", "trg",
                   "Trigger File (*.trg)|*.trg|Text File (*.txt)|*.txt|All Files (*.*)|*.*"}},
                 parent)
{
    addEditorButtons();
}

} // namespace tw
