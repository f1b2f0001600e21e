#pragma once
// The frame shared by the dialogs that edit one entry of a list: the caption, the OK, Cancel
// and Help row, and the focus on the first box at every opening. The list dialog fills the
// boxes, runs the dialog modally and stores what OK accepted.
#include <QDialog>

class QLineEdit;
class QVBoxLayout;

namespace tw {

class Host;

class EntryEditDlg : public QDialog {
    Q_OBJECT
protected:
    EntryEditDlg(Host& host, const char* caption, const char* helpLine, QWidget* parent);

    // A caption over an edit box of at most 255 characters, added to the layout.
    QLineEdit* addCaptionedEdit(QVBoxLayout* layout, const char* caption, const char* name);
    // Ends the layout with the button row.
    void addButtonRow(QVBoxLayout* layout);
    // The box that takes the focus whenever the dialog opens.
    void setFirstBox(QWidget* box) { firstBox_ = box; }

    void showEvent(QShowEvent* event) override;

    Host& host_;

protected slots:
    // Closes the dialog with OK; a dialog that checks its boxes first does so here.
    virtual void OKBtnClick();
    void HelpBtnClick();

private:
    const char* helpLine_;
    QWidget* firstBox_ = nullptr;
};

} // namespace tw
