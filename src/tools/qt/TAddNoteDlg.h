#pragma once
// "Add Note": a key word and its text, appended to the note file by "&Add".
#include "tools/qt/NoteDlgFrame.h"

namespace tw {

class TAddNoteDlg : public NoteDlgFrame {
    Q_OBJECT
public:
    TAddNoteDlg(const SetupVars& setup, Host& host, QWidget* parent = nullptr);

protected:
    // Appends the note, empties the boxes and closes; a failed write is reported and the
    // dialog stays open with the boxes as they were.
    void OKBtnClick() override;
};

} // namespace tw
