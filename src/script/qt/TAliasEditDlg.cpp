#include "script/qt/TAliasEditDlg.h"

#include "script/qt/ListDialogSupport.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace tw {

TAliasEditDlg::TAliasEditDlg(Host& host, QWidget* parent)
    : EntryEditDlg(host, "Edit Alias", "EXPLORER.EXE docs\\alias_entry.html", parent)
{
    auto* layout = new QVBoxLayout(this);
    keyword_ = addCaptionedEdit(layout, "Alias Keyword", "Keyword");
    aliasCmd_ = addCaptionedEdit(layout, "Replace With Command", "AliasCmd");
    addButtonRow(layout);
    setFirstBox(keyword_);
    setMinimumWidth(380);
}

void TAliasEditDlg::prepareAdd()
{
    keyword_->clear();
    aliasCmd_->clear();
}

void TAliasEditDlg::fillFrom(const AliasEntry& alias)
{
    keyword_->setText(textFromBytes(alias.word));
    aliasCmd_->setText(textFromBytes(alias.expansion));
}

std::optional<AliasEntry> TAliasEditDlg::acceptedEntry() const
{
    if (keyword_->text().isEmpty() || aliasCmd_->text().isEmpty())
        return std::nullopt;
    return AliasEntry{bytesFromText(keyword_->text()), bytesFromText(aliasCmd_->text())};
}

} // namespace tw
