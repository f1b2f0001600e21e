#include "script/qt/EntryEditDlg.h"

#include "base/Host.h"
#include "script/qt/DialogButtons.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

EntryEditDlg::EntryEditDlg(Host& host, const char* caption, const char* helpLine, QWidget* parent)
    : QDialog(parent), host_(host), helpLine_(helpLine)
{
    setWindowTitle(caption);
    setModal(true);
}

QLineEdit* EntryEditDlg::addCaptionedEdit(QVBoxLayout* layout, const char* caption, const char* name)
{
    auto* label = new QLabel(caption, this);
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(255);
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
    return edit;
}

void EntryEditDlg::addButtonRow(QVBoxLayout* layout)
{
    DialogButtons::addOkCancelHelpRow(layout, this, &EntryEditDlg::OKBtnClick, &EntryEditDlg::HelpBtnClick);
}

void EntryEditDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && firstBox_)
        firstBox_->setFocus();
}

void EntryEditDlg::OKBtnClick()
{
    accept();
}

void EntryEditDlg::HelpBtnClick()
{
    host_.runHelp(helpLine_);
}

} // namespace tw
