#include "map/qt/TRoomEditDLG.h"

#include "base/Host.h"
#include "map/qt/MapWindowStyle.h"
#include "script/qt/ListDialogSupport.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

namespace {

constexpr const char* Captions[dir::Count] = {"N", "S", "W", "E", "NW", "NE", "SW", "SE", "U", "D"};
// The one-line boxes are as high as the 11-pixel text needs, so that the fixed client area has
// room for all ten lines of the description.
constexpr int RowHeight = 18;

} // namespace

TRoomEditDLG::TRoomEditDLG(MapModel& map, Host& host, QWidget* parent)
    : QDialog(parent), map_(map), host_(host)
{
    setObjectName("TRoomEditDLG");
    setModal(true);
    setFont(mapDialogFont());

    auto* titleBox = new QGroupBox("Title", this);
    titleBox->setObjectName("TitleBox");
    TitleEdit = new QLineEdit(titleBox);
    TitleEdit->setObjectName("TitleEdit");
    TitleEdit->setMaxLength(int(RoomText::Capacity));
    TitleEdit->setFixedHeight(RowHeight);
    (new QVBoxLayout(titleBox))->addWidget(TitleEdit);

    auto* descBox = new QGroupBox("Description", this);
    descBox->setObjectName("DescBox");
    DescMemo = new QPlainTextEdit(descBox);
    DescMemo->setObjectName("DescMemo");
    // Only a vertical bar: a horizontal one would hide the tenth line of long lines; the box
    // still follows the caret sideways.
    DescMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DescMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DescMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    DescMemo->setTabChangesFocus(true);
    DescMemo->installEventFilter(this);
    (new QVBoxLayout(descBox))->addWidget(DescMemo);

    auto* exitBox = new QGroupBox("Exits", this);
    exitBox->setObjectName("ExitBox");
    auto* grid = new QGridLayout(exitBox);
    auto* label = new QLabel("Room #:    X        Y     Level                   X        Y     Level", exitBox);
    label->setObjectName("Label1");
    grid->addWidget(label, 0, 0, 1, 8);
    setTabOrder(TitleEdit, DescMemo);
    QWidget* previous = DescMemo;
    for (int d = 1; d <= dir::Count; ++d) {
        const std::size_t i = std::size_t(d - 1);
        const int row = 1 + (d - 1) % 5, column = d <= 5 ? 0 : 4;
        auto* check = new QCheckBox(Captions[i], exitBox);
        check->setFixedHeight(RowHeight);
        check->setObjectName(QString("CheckBox%1").arg(d));
        CheckBoxes[i] = check;
        grid->addWidget(check, row, column);
        setTabOrder(previous, check);
        previous = check;
        for (std::size_t k = 0; k < 3; ++k) {
            auto* box = new QLineEdit("0", exitBox);
            box->setObjectName(QString("RM%1%2").arg(d).arg(QChar("xyz"[k])));
            box->setAccessibleName(QString("%1 exit %2").arg(Captions[i], k == 2 ? "level" : QString(QChar("xy"[k]))));
            box->setFixedSize(30, RowHeight);
            box->installEventFilter(this);
            RM[i][k] = box;
            grid->addWidget(box, row, column + 1 + int(k));
            setTabOrder(previous, box);
            previous = box;
        }
        // Checking an exit opens its boxes; unchecking closes them and resets them to "0".
        connect(check, &QCheckBox::clicked, this, [this, i](bool on) {
            for (QLineEdit* box : RM[i]) {
                box->setEnabled(on);
                if (!on)
                    box->setText("0");
            }
        });
    }

    OKBtn = new QPushButton("&OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("&Cancel", this);
    CancelBtn->setObjectName("CancelBtn");
    auto* help = new QPushButton("&Help", this);
    help->setObjectName("HelpBtn");
    connect(OKBtn, &QPushButton::clicked, this, &TRoomEditDLG::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { host_.runHelp(RoomEdit::HelpCommand); });

    // The title on top, the description with the buttons beside it, the exits below; the
    // description box takes what is left, which holds all ten lines.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(2);
    layout->addWidget(titleBox);
    auto* middle = new QHBoxLayout;
    middle->setSpacing(6);
    middle->addWidget(descBox, 1);
    auto* buttons = new QVBoxLayout;
    buttons->setContentsMargins(0, 8, 0, 0);
    buttons->setSpacing(4);
    for (QPushButton* b : {OKBtn, CancelBtn, help})
        buttons->addWidget(b);
    buttons->addStretch();
    middle->addLayout(buttons);
    layout->addLayout(middle, 1);
    layout->addWidget(exitBox);
    for (QGroupBox* box : {titleBox, descBox, exitBox})
        box->layout()->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    DescMemo->document()->setDocumentMargin(2);
    setFixedSize(ClientSize);
    centreOnScreen(*this);
}

bool TRoomEditDLG::editCell(const Cell& c)
{
    cell_ = c;
    setWindowTitle(QString::fromStdString(RoomEdit::caption(c)));
    const RoomEditForm form = RoomEdit::fill(map_, c);
    TitleEdit->setText(textFromBytes(form.title));
    DescMemo->setPlainText(textFromBytes(form.description));
    for (std::size_t i = 0; i < CheckBoxes.size(); ++i) {
        CheckBoxes[i]->setChecked(form.checked[i]);
        for (std::size_t k = 0; k < 3; ++k) {
            RM[i][k]->setText(QString::fromStdString(form.coords[i][k]));
            RM[i][k]->setEnabled(form.checked[i]);
        }
    }
    return exec() == QDialog::Accepted;
}

void TRoomEditDLG::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    DescMemo->moveCursor(QTextCursor::Start);
    TitleEdit->setFocus();
}

RoomEditForm TRoomEditDLG::readForm() const
{
    RoomEditForm form;
    form.title = bytesFromText(TitleEdit->text());
    form.description = bytesFromText(DescMemo->toPlainText());
    for (std::size_t i = 0; i < CheckBoxes.size(); ++i) {
        form.checked[i] = CheckBoxes[i]->isChecked();
        for (std::size_t k = 0; k < 3; ++k)
            form.coords[i][k] = bytesFromText(RM[i][k]->text());
    }
    return form;
}

void TRoomEditDLG::RMOnExit()
{
    RoomEditForm form = readForm();
    RoomEdit::checkCoordinates(form);
    for (std::size_t i = 0; i < RM.size(); ++i)
        for (std::size_t k = 0; k < 3; ++k)
            if (RM[i][k]->text() != textFromBytes(form.coords[i][k]))
                RM[i][k]->setText(textFromBytes(form.coords[i][k]));
}

void TRoomEditDLG::OKBtnClick()
{
    RoomEdit::store(map_, cell_, readForm());
    accept();
}

bool TRoomEditDLG::eventFilter(QObject* watched, QEvent* event)
{
    // Escape in the description goes to Cancel first; a second Escape cancels.
    if (watched == DescMemo && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        CancelBtn->setFocus();
        return true;
    }
    if (event->type() == QEvent::FocusOut && qobject_cast<QLineEdit*>(watched) && watched != TitleEdit)
        RMOnExit();
    return QDialog::eventFilter(watched, event);
}

} // namespace tw
