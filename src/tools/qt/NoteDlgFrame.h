#pragma once
// The frame both note dialogs share: a key word box, a second box, and the button row whose
// OK button carries the dialog's own caption. The note file's name is the general setting.
#include "script/qt/EntryEditDlg.h"

namespace tw {

struct SetupVars;

class NoteDlgFrame : public EntryEditDlg {
    Q_OBJECT
public:
    QLineEdit* KeyWord = nullptr;
    QLineEdit* KeyText = nullptr;

protected:
    struct Texts {
        const char* caption;
        const char* helpLine;
        const char* keyWordLabel;
        const char* keyTextLabel;
        const char* okCaption;
    };
    NoteDlgFrame(const SetupVars& setup, Host& host, const Texts& texts, QWidget* parent);

    const SetupVars& setup_;
};

} // namespace tw
