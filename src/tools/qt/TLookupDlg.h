#pragma once
// "Lookup Note": finds the first note whose key word contains the search text and shows its
// text; the dialog stays open for the next search.
#include "tools/qt/NoteDlgFrame.h"

namespace tw {

class TLookupDlg : public NoteDlgFrame {
    Q_OBJECT
public:
    TLookupDlg(const SetupVars& setup, Host& host, QWidget* parent = nullptr);

protected:
    void OKBtnClick() override;
};

} // namespace tw
