#pragma once
// The main menu: every item with its caption, shortcut, check mark and handler.
#include <QString>
#include <map>

class QAction;
class QMenuBar;

namespace tw {

class TMainForm;

// Fills the menu bar and returns the items by object name ("Connect1", "Dummy2" ...).
std::map<QString, QAction*> buildMainMenu(QMenuBar& bar, TMainForm& form);

} // namespace tw
