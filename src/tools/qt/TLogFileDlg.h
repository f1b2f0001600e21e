#pragma once
// "Log File": the log file's name and the switch that logs the session. OK applies both;
// the file dialog of "&Browse" puts a chosen name into the box.
#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QFileDialog;
class QLineEdit;
class QPushButton;

namespace tw {

class Host;
class SessionLog;

class TLogFileDlg : public QDialog {
    Q_OBJECT
public:
    TLogFileDlg(SessionLog& log, Host& host, QWidget* parent = nullptr);

    // The menu's "&Log...": fills the boxes from the log, shows the dialog and applies it on
    // OK; an open error is reported with its I/O error text.
    void Log1Click();

    // Picks a log file name for Browse; empty when cancelled. Replaceable so that tests never
    // block.
    std::function<QString(const QString& current)> chooseFile;

    QLineEdit* LogName = nullptr;
    QCheckBox* LogSession = nullptr;
    QPushButton* Button1 = nullptr;

    static constexpr const char* DialogTitle = "Open Log File";
    static constexpr const char* Filter = "Log File (*.LOG)|*.LOG|All files (*.*)|*.*";
    static constexpr const char* InitialName = "*.LOG";

    // Browse's file dialog, set up but not shown: a new name may be chosen, since logging
    // creates the file.
    std::unique_ptr<QFileDialog> makeFileDialog(const QString& current);

private:
    void Button1Click();

    SessionLog& log_;
    Host& host_;
};

} // namespace tw
