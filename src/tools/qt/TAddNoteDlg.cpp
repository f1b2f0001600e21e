#include "tools/qt/TAddNoteDlg.h"

#include "base/Host.h"
#include "script/qt/ListDialogSupport.h"
#include "settings/SetupVars.h"
#include "tools/NoteFile.h"

#include <QLineEdit>

namespace tw {

TAddNoteDlg::TAddNoteDlg(const SetupVars& setup, Host& host, QWidget* parent)
    : NoteDlgFrame(setup, host,
                   {"Add Note", "EXPLORER.EXE docs\\menu_notes_add.html", "Key Word:", "Text:", "&Add"},
                   parent)
{
    setObjectName("TAddNoteDlg");
}

void TAddNoteDlg::OKBtnClick()
{
    // The note file is a text file for the player's editor: its lines are UTF-8.
    const auto error = NoteFile::addNote(setup_.NoteFileName, KeyWord->text().toUtf8().toStdString(),
                                         KeyText->text().toUtf8().toStdString());
    if (error) {
        host_.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
        return;
    }
    KeyWord->clear();
    KeyText->clear();
    host_.setStatus(NoteFile::NoteAddedText);
    accept();
}

} // namespace tw
