#pragma once
// "Send Message": the recipient, the subject and the text of a message for the game's board.
// The window only collects them; how it was closed tells the main window what to do.
#include "tools/MessageSender.h"

#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tw {

class Host;

class TMessageForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxNameLength = 60;
    static constexpr int MaxTextLength = 4096;
    static constexpr int TextWidth = 609; // the text wraps at this width

    explicit TMessageForm(Host& host, QWidget* parent = nullptr);

    // Shows the window modally; the button that closed it (Escape counts as Cancel).
    MessageSender::Result run();

    std::string toName() const;
    std::string subject() const;
    // The text's lines as the box shows them: a long paragraph gives one line per displayed
    // row, broken where the box wraps it. An empty last row is included.
    std::vector<std::string> displayedLines() const;

    QLineEdit* ToName = nullptr;
    QLineEdit* Subject = nullptr;
    QPlainTextEdit* NoteText = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();
    void keepWithinLimit();

    Host& host_;
    MessageSender::Result result_ = MessageSender::Result::Cancel;
};

} // namespace tw
