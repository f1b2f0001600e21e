#include "script/qt/ListFileDialog.h"

#include "base/Host.h"
#include "script/qt/ListDialogSupport.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>

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

namespace {

// A pattern of "*.*" means every file, as it did where these filters come from; here it would
// hide names without a dot. The dialog's model takes the patterns of the chosen filter.
void letAllFilesMeanAll(QFileDialog& dialog)
{
    auto* model = dialog.findChild<QFileSystemModel*>();
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    if (!model || !types)
        return;
    auto apply = [model] {
        QStringList patterns = model->nameFilters();
        if (patterns.removeAll(QStringLiteral("*.*")) > 0) {
            patterns << QStringLiteral("*");
            model->setNameFilters(patterns);
        }
    };
    // Queued, so that it follows the dialog's own handling of the change.
    QObject::connect(types, &QComboBox::currentIndexChanged, &dialog, apply, Qt::QueuedConnection);
    apply();
}

} // namespace

std::unique_ptr<QFileDialog> ListFileDialog::make(QWidget* parent, const FileChoice& choice)
{
    auto dlg = std::make_unique<QFileDialog>(parent, choice.title);
    dlg->setOption(QFileDialog::DontUseNativeDialog, true);
    const bool save = choice.kind == FileChoice::Save;
    dlg->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg->setOption(QFileDialog::DontConfirmOverwrite, !choice.askBeforeOverwriting);
    dlg->setDefaultSuffix(choice.defaultSuffix);
    dlg->setNameFilters(nameFilters(choice.filter));
    dlg->selectFile(choice.initialName.isEmpty() ? "*." + choice.defaultSuffix : choice.initialName);
    letAllFilesMeanAll(*dlg);
    return dlg;
}

QString ListFileDialog::choose(QWidget* parent, const FileChoice& choice)
{
    const std::unique_ptr<QFileDialog> dlg = make(parent, choice);
    if (dlg->exec() != QDialog::Accepted || dlg->selectedFiles().isEmpty())
        return {};
    return dlg->selectedFiles().first();
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
