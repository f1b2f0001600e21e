#include "settings/qt/TEditMudDlg.h"

#include "base/Host.h"
#include "script/qt/ListDialogSupport.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tw {

namespace {

QLineEdit* framedEdit(QWidget* parent, QVBoxLayout* layout, const char* caption, const char* name,
                      int maxLength)
{
    auto* frame = new QGroupBox(caption, parent);
    auto* edit = new QLineEdit(frame);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(edit);
    layout->addWidget(frame);
    return edit;
}

} // namespace

TEditMudDlg::TEditMudDlg(Host& host, QWidget* parent)
    : EntryEditDlg(host, "Edit MUD Entry", "EXPLORER.EXE docs\\list_entry.html", parent)
{
    auto* layout = new QVBoxLayout(this);
    mudName_ = framedEdit(this, layout, "MUD Name", "MudName", 255);
    mudAddress_ = framedEdit(this, layout, "MUD Address", "MudAddress", 255);
    port_ = framedEdit(this, layout, "Port", "Port", PortTypingLimit);
    port_->setMaximumWidth(80);
    addButtonRow(layout);
    setFirstBox(mudName_);
    setMinimumWidth(360);
}

void TEditMudDlg::prepareAdd() { fillFrom(MudEntry{}); }

void TEditMudDlg::fillFrom(const MudEntry& mud)
{
    // An imported port may be longer than the four characters the box lets the player type.
    setTextKeepingLength(*mudName_, textFromBytes(mud.name), 255);
    setTextKeepingLength(*mudAddress_, textFromBytes(mud.address), 255);
    setTextKeepingLength(*port_, textFromBytes(mud.port), PortTypingLimit);
}

std::optional<MudEntry> TEditMudDlg::acceptedEntry() const
{
    if (mudName_->text().isEmpty() || mudAddress_->text().isEmpty() || port_->text().isEmpty())
        return std::nullopt;
    return MudEntry{bytesFromText(mudName_->text()), bytesFromText(mudAddress_->text()),
                    bytesFromText(port_->text())};
}

void TEditMudDlg::OKBtnClick()
{
    // The dialog closes with OK even so; the list then stores nothing.
    if (!acceptedEntry())
        host_.messageBox("Hold on just a sec!", "All blanks in the form must be filled!", MsgButtons::Ok);
    accept();
}

} // namespace tw
