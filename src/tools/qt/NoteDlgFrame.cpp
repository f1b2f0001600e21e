#include "tools/qt/NoteDlgFrame.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

NoteDlgFrame::NoteDlgFrame(const SetupVars& setup, Host& host, const Texts& texts, QWidget* parent)
    : EntryEditDlg(host, texts.caption, texts.helpLine, parent), setup_(setup)
{
    auto* layout = new QVBoxLayout(this);
    KeyWord = addCaptionedEdit(layout, texts.keyWordLabel, "KeyWord");
    KeyText = addCaptionedEdit(layout, texts.keyTextLabel, "KeyText");
    KeyText->setMinimumWidth(360);
    addButtonRow(layout);
    findChild<QPushButton*>("OKBtn")->setText(texts.okCaption);
    setFirstBox(KeyWord);
}

} // namespace tw
