#pragma once
// The plain view's find dialog: a search text and a match-case option. It only asks; the
// main window searches and closes it when the text is found.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tw {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    QString findText() const;
    bool matchCase() const;

    QLineEdit* FindEdit;
    QCheckBox* MatchCaseBox;
    QPushButton* FindNextBtn;
    QPushButton* CancelBtn;

signals:
    // Find Next was pressed (the text may be empty; the receiver reports that).
    void findRequested(const QString& text, bool matchCase);
};

} // namespace tw
