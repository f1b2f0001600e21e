#include "tools/qt/TLookupDlg.h"

#include "base/Host.h"
#include "script/qt/ListDialogSupport.h"
#include "settings/SetupVars.h"
#include "tools/NoteFile.h"

#include <QLineEdit>

namespace tw {

TLookupDlg::TLookupDlg(const SetupVars& setup, Host& host, QWidget* parent)
    : NoteDlgFrame(setup, host,
                   {"Lookup Note", "EXPLORER.EXE docs\\menu_notes_look.html", "Key Word to Look Up:",
                    "Result:", "&Look Up"},
                   parent)
{
    setObjectName("TLookupDlg");
    KeyText->setReadOnly(true);
}

void TLookupDlg::OKBtnClick()
{
    // The next typing replaces the search text.
    KeyWord->selectAll();
    const NoteFile::Lookup result =
        NoteFile::lookUp(setup_.NoteFileName, KeyWord->text().toUtf8().toStdString());
    switch (result.kind) {
    case NoteFile::Lookup::Kind::NoFile:
        KeyWord->clear();
        KeyText->clear();
        host_.setStatus(NoteFile::NoFileText);
        break;
    case NoteFile::Lookup::Kind::Failed:
        host_.messageBox(GeneralErrorCaption, result.text, MsgButtons::Ok);
        break;
    case NoteFile::Lookup::Kind::Found:
    case NoteFile::Lookup::Kind::NotFound:
        KeyText->setText(QString::fromUtf8(result.text.data(), qsizetype(result.text.size())));
        break;
    }
}

} // namespace tw
