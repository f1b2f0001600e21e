#include "tools/qt/TMessageForm.h"

#include "base/Host.h"
#include "script/qt/DialogButtons.h"
#include "script/qt/ListDialogSupport.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextLayout>
#include <QVBoxLayout>

namespace tw {

namespace {

QLineEdit* framedEdit(QVBoxLayout* layout, const char* frameCaption, const char* name)
{
    auto* frame = new QGroupBox(frameCaption);
    auto* edit = new QLineEdit(frame);
    edit->setObjectName(name);
    edit->setMaxLength(TMessageForm::MaxNameLength);
    (new QVBoxLayout(frame))->addWidget(edit);
    layout->addWidget(frame);
    return edit;
}

} // namespace

TMessageForm::TMessageForm(Host& host, QWidget* parent) : QDialog(parent), host_(host)
{
    setObjectName("TMessageForm");
    setWindowTitle("Send Message");
    setModal(true);
    // No close box: the buttons say how the window ends.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    ToName = framedEdit(left, "Name", "ToName");
    Subject = framedEdit(left, "Subject", "Subject");
    top->addLayout(left, 1);

    using R = MessageSender::Result;
    const auto closeWith = [this](R result) {
        return [this, result] {
            result_ = result;
            accept();
        };
    };
    auto* buttons = new QGridLayout;
    Button1 = DialogButtons::columnButton(this, "Button1", "&New", &TMessageForm::Button1Click);
    Button2 = DialogButtons::columnButton(this, "Button2", "&Write", closeWith(R::Write));
    Button3 = DialogButtons::columnButton(this, "Button3", "&Send", closeWith(R::Send));
    Button4 = DialogButtons::columnButton(this, "Button4", "&Cancel", closeWith(R::Cancel));
    Button5 = DialogButtons::columnButton(this, "Button5", "&Options", closeWith(R::Options));
    Button6 = DialogButtons::columnButton(this, "Button6", "&Help",
                                          [this] { host_.runHelp("EXPLORER.EXE docs\\menu_special_send.html"); });
    QPushButton* order[] = {Button1, Button2, Button3, Button4, Button5, Button6};
    for (int i = 0; i < 6; ++i)
        buttons->addWidget(order[i], i / 3, i % 3);
    top->addLayout(buttons);
    layout->addLayout(top);

    auto* frame = new QGroupBox("Message", this);
    NoteText = new QPlainTextEdit(frame);
    NoteText->setObjectName("NoteText");
    QFont courier("Courier New");
    courier.setStyleHint(QFont::TypeWriter);
    NoteText->setFont(courier);
    NoteText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    NoteText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    NoteText->setTabChangesFocus(true);
    NoteText->setFixedSize(TextWidth + NoteText->verticalScrollBar()->sizeHint().width() +
                               2 * NoteText->frameWidth(),
                           260);
    connect(NoteText, &QPlainTextEdit::textChanged, this, &TMessageForm::keepWithinLimit);
    (new QVBoxLayout(frame))->addWidget(NoteText);
    layout->addWidget(frame);

    // Tab reads as the window does: the name and subject, the buttons beside them, the text.
    QWidget* previous = ToName;
    for (QWidget* next : {static_cast<QWidget*>(Subject), static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2),
                          static_cast<QWidget*>(Button3), static_cast<QWidget*>(Button4), static_cast<QWidget*>(Button5),
                          static_cast<QWidget*>(Button6), static_cast<QWidget*>(NoteText)}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void TMessageForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        ToName->setFocus();
}

MessageSender::Result TMessageForm::run()
{
    // Escape rejects the window, as "&Cancel" does.
    return exec() == QDialog::Accepted ? result_ : MessageSender::Result::Cancel;
}

void TMessageForm::Button1Click()
{
    ToName->clear();
    Subject->clear();
    NoteText->clear();
    ToName->setFocus();
}

// What is typed or pasted beyond the limit, just before the caret, is taken out again.
void TMessageForm::keepWithinLimit()
{
    const int excess = NoteText->document()->characterCount() - 1 - MaxTextLength;
    if (excess <= 0)
        return;
    QTextCursor cursor = NoteText->textCursor();
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, excess);
    cursor.removeSelectedText();
}

std::string TMessageForm::toName() const { return bytesFromText(ToName->text()); }

std::string TMessageForm::subject() const { return bytesFromText(Subject->text()); }

std::vector<std::string> TMessageForm::displayedLines() const
{
    std::vector<std::string> lines;
    QTextDocument* doc = NoteText->document();
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(doc->documentLayout());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (layout)
            layout->ensureBlockLayout(block);
        const QString text = block.text();
        const QTextLayout* rows = block.layout();
        if (!rows || rows->lineCount() == 0) {
            lines.push_back(bytesFromText(text));
            continue;
        }
        for (int i = 0; i < rows->lineCount(); ++i) {
            const QTextLine row = rows->lineAt(i);
            lines.push_back(bytesFromText(text.mid(row.textStart(), row.textLength())));
        }
    }
    return lines;
}

} // namespace tw
