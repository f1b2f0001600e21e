#include "script/qt/TAliasDlg.h"

namespace tw {

TAliasDlg::TAliasDlg(AliasList& aliases, Host& host, QWidget* parent)
    : ListEditor(aliases, host,
                 {"Alias Editor", "AliasList", {420, 260}, "Really delete selected alias from list?",
                  "EXPLORER.EXE docs\\menu_options_aliases.html",
                  {FileChoice::Save, "Export Alias List", "als",
                   "Alias List (*.als)|*.als|Text File (*.txt)|*.txt|All Files (*.*)|*.*"},
                  {FileChoice::Open, "Import Alias List", "als",
                   "Alias File (*.als)|*.als|Text File (*.txt)|*.txt|All Files (*.*)|*.*"}},
                 parent)
{
    addEditorButtons();
}

} // namespace tw
