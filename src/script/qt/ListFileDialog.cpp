#include "script/qt/ListFileDialog.h"

#include "base/Host.h"
#include "script/qt/ListDialogSupport.h"

#include <QFileDialog>

namespace tw {

QStringList ListFileDialog::nameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        // Qt reads the patterns from the description's parentheses; add them when missing.
        filters << (description.endsWith(u')') ? description : description + " (" + pattern + ")");
    }
    return filters;
}

QString ListFileDialog::choose(QWidget* parent, const FileChoice& choice)
{
    QFileDialog dlg(parent, choice.title);
    const bool save = choice.kind == FileChoice::Save;
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(choice.defaultSuffix);
    dlg.setNameFilters(nameFilters(choice.filter));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

FileChooser ListFileDialog::forParent(QWidget* parent)
{
    return [parent](const FileChoice& choice) { return choose(parent, choice); };
}

void ListFileDialog::transfer(const FileChooser& chooser, const FileChoice& choice, Host& host,
                              const FileTransfer& operation)
{
    const QString path = chooser(choice);
    if (path.isEmpty())
        return;
    if (const auto error = operation(localPath(path)))
        host.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
}

} // namespace tw
