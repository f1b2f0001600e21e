#pragma once
// "Edit Trigger": the pattern, the response, the active flag and the highlight colours of one
// trigger. The trigger list dialog fills it, runs it modally and stores what OK accepted.
#include "script/TriggerEntry.h"
#include "script/qt/EntryEditDlg.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tw {

class TTriggerEditDlg : public EntryEditDlg {
    Q_OBJECT
public:
    explicit TTriggerEditDlg(Host& host, QWidget* parent = nullptr);

    // For Add: empty texts and no highlight; the Activated box keeps its last state.
    void prepareAdd();
    // For Edit: the controls show the trigger.
    void fillFrom(const TriggerEntry& trigger);
    // The trigger the controls describe, or nothing when the pattern is refused (empty, or
    // ending in its first "%%"). The caller asks only after the dialog ended with OK.
    std::optional<TriggerEntry> acceptedEntry() const;

private:
    QLineEdit* keyword_;
    QLineEdit* triggerCmd_;
    QCheckBox* activatedBox_;
    QComboBox* foreColor_;
    QComboBox* backColor_;
};

} // namespace tw
