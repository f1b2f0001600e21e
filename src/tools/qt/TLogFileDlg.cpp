#include "tools/qt/TLogFileDlg.h"

#include "base/Host.h"
#include "script/qt/DialogButtons.h"
#include "script/qt/ListDialogSupport.h"
#include "script/qt/ListFileDialog.h"
#include "tools/SessionLog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tw {

TLogFileDlg::TLogFileDlg(SessionLog& log, Host& host, QWidget* parent)
    : QDialog(parent), log_(log), host_(host)
{
    setObjectName("TLogFileDlg");
    setWindowTitle("Log File");
    setModal(true);

    auto* frame = new QGroupBox("Log File", this);
    LogName = new QLineEdit(frame);
    LogName->setObjectName("LogName");
    LogName->setMinimumWidth(320);
    Button1 = DialogButtons::columnButton(this, "Button1", "&Browse", &TLogFileDlg::Button1Click);
    auto* nameRow = new QHBoxLayout(frame);
    nameRow->addWidget(LogName);
    nameRow->addWidget(Button1);

    LogSession = new QCheckBox("&Log Session", this);
    LogSession->setObjectName("LogSession");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(LogSession);
    DialogButtons::addOkCancelHelpRow(layout, this, &QDialog::accept,
                                      [this] { host_.runHelp("EXPLORER.EXE docs\\menu_mud_log.html"); });

    chooseFile = [this](const QString& current) {
        const std::unique_ptr<QFileDialog> dialog = makeFileDialog(current);
        return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
    };
    // A failed write clears the box, also while the dialog is open.
    log_.switchedOff = [this] { LogSession->setChecked(false); };
}

std::unique_ptr<QFileDialog> TLogFileDlg::makeFileDialog(const QString& current)
{
    std::unique_ptr<QFileDialog> dialog = ListFileDialog::make(
        this, {FileChoice::Open, DialogTitle, "LOG", Filter, current.isEmpty() ? QString(InitialName) : current});
    dialog->setFileMode(QFileDialog::AnyFile);
    return dialog;
}

void TLogFileDlg::Button1Click()
{
    const QString chosen = chooseFile(LogName->text());
    if (!chosen.isEmpty())
        LogName->setText(chosen);
}

void TLogFileDlg::Log1Click()
{
    LogName->setText(textFromPath(log_.fileName()));
    LogSession->setChecked(log_.loggingOn());
    if (exec() != QDialog::Accepted)
        return;
    if (const auto error = log_.applyDialog(localPath(LogName->text()), LogSession->isChecked()))
        host_.messageBox(GeneralErrorCaption, *error, MsgButtons::Ok);
}

} // namespace tw
